// Fault matrix, ROTSEL in-process: its whole run (the fixture plays the
// user) with the vendor's portrait driver installed and one thing spoiled:
// the rows both LCD programs share, and its own, the wanted orientation
// "Direction" unreadable. It fails its check with the message, or offers
// dialog 102 (the portrait driver runs) or 101 (it does not), where
// 再起動(&R) writes and restarts through the test double. Only "drv",
// "LCDStatus" and "Direction" may change, and no key is left open.
#include "fault_matrix.h"
#include "lcd_fault_rows.h"
#include "rotsel_fixture.h"
#include "vendor_identification.h"

namespace {

using namespace lcdrows;

// How dialogs 102 and 101 begin.
const char TO_STANDARD[] = "LCD縦置きﾄﾞﾗｲﾊﾞから標準ﾄﾞﾗｲﾊﾞへ";
const char TO_PORTRAIT[] = "標準ﾄﾞﾗｲﾊﾞからLCD縦置きﾄﾞﾗｲﾊﾞへ";

const std::vector<testreg::Subtree> ROOTS = {
    {HKEY_CURRENT_USER, "HKCU", ""}, {HKEY_LOCAL_MACHINE, "HKLM", ""}, {HKEY_DYN_DATA, "HKDD", ""}};

class RotselMatrix : public Rotsel98 {
protected:
    void RunCase(const Spoil& c)
    {
        for (HKEY root : {HKEY_DYN_DATA, HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER})
            for (const char* key : {"Config Manager", "Enum", "System", "Software\\NORIX"})
                testreg::DeleteTree(root, key);
        lcdreg::PortraitInstallation();
        c.spoil();
        DeleteFileA(RESTART_LOG);
        exitCalls.clear();
        matrix::Snapshot before = matrix::Take({ROOTS, {}});
        {
            matrix::OpenHandles handles;
            // The user answers the one box: OK to a failure, 再起動(&R) to a dialog.
            size_t seenBefore = boxes.Seen().size();
            boxes.Queue(IDOK);
            EXPECT_EQ(0, RunRotsel(GetModuleHandleA(NULL)));
            std::vector<driver::SeenBox> seen = boxes.Seen();
            ASSERT_EQ(seenBefore + 1, seen.size());
            const std::string& text = seen.back().text;
            switch (c.fails) {
            case NO_VENDOR_DRIVER:
            case NO_SWITCH_INFO:
                EXPECT_EQ(c.fails == NO_VENDOR_DRIVER ? MESSAGE_NO_VENDOR_DRIVER : MESSAGE_NO_SWITCH_INFO, text);
                EXPECT_EQ("", RestartLog());
                break;
            default:
                EXPECT_EQ(0u, text.find(c.fails == PASSES ? TO_STANDARD : TO_PORTRAIT)) << text;
                EXPECT_EQ("RestartWindows\r\n", RestartLog());
            }
            EXPECT_EQ(0, handles.keys()) << "registry keys left open";
        }
        EXPECT_TRUE(exitCalls.empty());
        EXPECT_EQ("", matrix::ChangesOutside(before, matrix::Take({ROOTS, {}}),
                                             matrix::Within({std::string("HKLM\\") + DEFAULT_KEY + "\\drv",
                                                             std::string("HKLM\\") + UTILITY + "\\LCDStatus",
                                                             std::string("HKCU\\") + lcdreg::DIRECTION_KEY})));
    }
};

TEST_F(RotselMatrix, RunWithEverySpoiledValueAndKey)
{
    std::vector<Spoil> cases = IdentificationSpoils();
    // The standard driver running, and "Direction" ROTSEL presets its check box from.
    auto standardDriverAnd = [](std::function<void()> direction) {
        return [=] {
            lcdreg::AddDriver("DISPLAY\\0001", "VGA.DRV");
            direction();
        };
    };
    cases.insert(cases.end(), {
        {"Direction of a number type", standardDriverAnd([] { Dword(HKEY_CURRENT_USER, lcdreg::DIRECTION_KEY, "", 1); }),
         NOT_PORTRAIT_DRIVER},
        {"Direction of zero length", standardDriverAnd([] { Bytes(HKEY_CURRENT_USER, lcdreg::DIRECTION_KEY, "", REG_SZ, ""); }),
         NOT_PORTRAIT_DRIVER},
        {"Direction with 150 subkeys", standardDriverAnd([] {
             for (int i = 0; i < 150; ++i)
                 Text(HKEY_CURRENT_USER, (std::string(lcdreg::DIRECTION_KEY) + "\\" + std::to_string(i)).c_str(), "",
                      "ON");
         }),
         NOT_PORTRAIT_DRIVER},
    });
    for (const Spoil& c : cases)
        matrix::Case(std::string("ROTSEL: ") + c.what, 10000, [&] { RunCase(c); });
}

}  // namespace
