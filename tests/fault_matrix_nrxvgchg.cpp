// Fault matrix, NRXVGCHG in-process: the stored settings as a start reads
// them, each value malformed in the ways a registry can hold it, the
// settings key out of reach, and a display that reports nothing usable. Each
// case starts the tool window on the simulated adapter and shuts it down;
// only the settings key may change, and no key is left open.
#include "fault_matrix.h"
#include "in_process_fixture.h"
#include "resource.h"
#include "tool_window.h"

#include <commctrl.h>

#include <functional>
#include <string>

namespace {

const char KEY[] = "Software\\NORIX\\Resolva";
const std::vector<testreg::Subtree> ROOTS = {
    {HKEY_CURRENT_USER, "HKCU", ""}, {HKEY_LOCAL_MACHINE, "HKLM", ""}, {HKEY_DYN_DATA, "HKDD", ""}};

std::string Bytes(const void* data, size_t size)
{
    return std::string((const char*)data, size);
}

std::string Dword(DWORD value)
{
    return Bytes(&value, sizeof(value));
}

std::string Padded(const std::string& text, size_t size)
{
    return text + std::string(size - text.size(), ' ');
}

const LONG PLACE[4] = {100, 200, 70, 50};

// The settings key out of reach, every other key as it is.
testbed::ImportHook* openHook = NULL;

LONG WINAPI RefuseSettingsKey(HKEY root, LPCSTR path, DWORD options, REGSAM access, PHKEY key)
{
    if (root == HKEY_CURRENT_USER && path && lstrcmpiA(path, KEY) == 0)
        return ERROR_ACCESS_DENIED;
    return openHook->original<LONG(WINAPI*)(HKEY, LPCSTR, DWORD, REGSAM, PHKEY)>()(root, path, options, access, key);
}

LONG WINAPI RefuseSettingsKeyCreation(HKEY, LPCSTR, DWORD, LPSTR, DWORD, REGSAM, LPSECURITY_ATTRIBUTES, PHKEY, LPDWORD)
{
    return ERROR_ACCESS_DENIED;  // the program creates no other key
}

LONG WINAPI RefuseWrite(HKEY, LPCSTR, DWORD, DWORD, const BYTE*, DWORD)
{
    return ERROR_ACCESS_DENIED;
}

class NrxvgchgMatrix : public InProcessProgram {
protected:
    void SetUp() override
    {
        InProcessProgram::SetUp();
        for (DWORD width : {640, 800, 1024})
            simulated::AddMode(width, width * 3 / 4, 32);
        ASSERT_EQ(3, BuildModeList());
    }
    // A start with what the registry holds, then the end of the program.
    void StartAndEnd(const std::function<void(HWND)>& expect)
    {
        testreg::DeleteTree(HKEY_CURRENT_USER, "Software\\NORIX");
        for (ResolutionSlot& slot : ResolutionTable.slots)
            slot.switchEnabled = slot.hotkey = 0;  // as the program starts
        setUp();
        matrix::Snapshot before = matrix::Take({ROOTS, {}});
        {
            matrix::OpenHandles handles;
            HWND window = CreateStoredToolWindow();
            ASSERT_TRUE(window);
            ShowToolWindow(window, stored, SW_SHOWNORMAL);
            expect(window);
            DestroyWindow(window);
            MSG message;
            while (PeekMessageA(&message, NULL, 0, 0, PM_REMOVE))
                ;
            EXPECT_EQ(0, handles.keys()) << "registry keys left open";
            EXPECT_EQ(0, handles.files()) << "files left open";
        }
        EXPECT_EQ("", matrix::ChangesOutside(before, matrix::Take({ROOTS, {}}),
                                             matrix::Within({"HKCU\\Software\\NORIX\\Resolva"})));
    }
    std::function<void()> setUp = [] {};
};

void ExpectDefaultPlace(HWND window)
{
    RECT r;
    GetWindowRect(window, &r);
    EXPECT_EQ(1024, r.right);
    EXPECT_EQ(0, r.top);
}

void ExpectShown(HWND window)
{
    EXPECT_TRUE(IsWindowVisible(window));
}

// Slot 1 is 800x600.
std::function<void(HWND)> ExpectSlot(int switchEnabled, int hotkey)
{
    return [=](HWND) {
        EXPECT_EQ(switchEnabled, ResolutionTable.slots[1].switchEnabled);
        EXPECT_EQ(hotkey, ResolutionTable.slots[1].hotkey);
    };
}

struct StoredValueCase {
    const char* what;
    const char* name;
    DWORD type;
    std::string data;
    bool asWindows95;  // handed back as stored, not through Wine's registry
    std::function<void(HWND)> expect;
};

TEST_F(NrxvgchgMatrix, StoredValuesOfEveryMalformedShape)
{
    const std::string slot = "1,00000641";
    const StoredValueCase cases[] = {
        {"DefaultPosition of zero length", "DefaultPosition", REG_BINARY, "", false, ExpectDefaultPlace},
        {"DefaultPosition one byte too long", "DefaultPosition", REG_BINARY, Bytes(PLACE, 16) + "x", false,
         ExpectDefaultPlace},
        {"DefaultIconic of zero length", "DefaultIconic", REG_DWORD, "", false, ExpectShown},
        {"DefaultIconic one byte too long", "DefaultIconic", REG_DWORD, Dword(1) + "x", false, ExpectShown},
        {"DefaultIconic neither 0 nor 1", "DefaultIconic", REG_DWORD, Dword(0x80000000), false,
         [](HWND window) { EXPECT_FALSE(IsWindowVisible(window)); }},
        {"slot value of zero length", "Res800x600", REG_SZ, "", true, ExpectSlot(0, 0)},
        {"slot value of 64 bytes without a terminator", "Res800x600", REG_SZ, Padded(slot, 64), true,
         ExpectSlot(1, 0x641)},
        {"slot value one byte too long without a terminator", "Res800x600", REG_SZ, Padded(slot, 65), true,
         ExpectSlot(0, 0)},
        {"slot value whose number overflows", "Res800x600", REG_SZ, std::string(40, '9') + ",00000641", false,
         [](HWND) {
             EXPECT_EQ(0x7FFFFFFF, ResolutionTable.slots[1].switchEnabled);
             EXPECT_EQ(0x641, ResolutionTable.slots[1].hotkey);
         }},
        {"slot value of another text type", "Res800x600", REG_EXPAND_SZ, slot + '\0', false, ExpectSlot(0, 0)},
        {"slot value with every hotkey bit set", "Res800x600", REG_SZ, std::string("1,FFFFFFFF") + '\0', false,
         [](HWND) {
             EXPECT_EQ(-1, ResolutionTable.slots[1].hotkey);
             EXPECT_TRUE(IsWindow(Shell.hotkeyWindows[1]));
         }},
    };
    for (const StoredValueCase& c : cases) {
        matrix::Case(std::string("NRXVGCHG: ") + c.what, 3000, [&] {
            std::unique_ptr<matrix::StoredBytes> stored;
            setUp = [&] {
                if (c.asWindows95)
                    stored.reset(new matrix::StoredBytes(c.name, c.type, c.data));
                else
                    testreg::Write(HKEY_CURRENT_USER, KEY, c.name, c.type, c.data.data(), (DWORD)c.data.size());
            };
            StartAndEnd(c.expect);
        });
    }
}

TEST_F(NrxvgchgMatrix, SettingsKeyWithExtraKeysOrOutOfReach)
{
    matrix::Case("NRXVGCHG: settings key with 300 subkeys, one named like a slot value", 10000, [&] {
        setUp = [] {
            for (int i = 0; i < 300; ++i)
                testreg::WriteString(HKEY_CURRENT_USER, (std::string(KEY) + "\\Res" + std::to_string(i)).c_str(),
                                     "", "1,00000641");
            testreg::WriteString(HKEY_CURRENT_USER, (std::string(KEY) + "\\Res800x600").c_str(), "Res800x600",
                                 "1,00000641");
        };
        StartAndEnd(ExpectSlot(0, 0));
    });
    matrix::Case("NRXVGCHG: settings key that cannot be opened or created", 3000, [&] {
        std::unique_ptr<testbed::ImportHook> open, create;
        setUp = [&] {
            testreg::Write(HKEY_CURRENT_USER, KEY, "DefaultPosition", REG_BINARY, PLACE, sizeof(PLACE));
            open.reset(new testbed::ImportHook("ADVAPI32.dll", "RegOpenKeyExA", (void*)RefuseSettingsKey));
            openHook = open.get();
            create.reset(new testbed::ImportHook("ADVAPI32.dll", "RegCreateKeyExA", (void*)RefuseSettingsKeyCreation));
        };
        StartAndEnd(ExpectDefaultPlace);
        create.reset();
        open.reset();
        EXPECT_EQ(1u, testreg::ValueNames(HKEY_CURRENT_USER, KEY).size()) << "nothing stored at the end";
    });
    matrix::Case("NRXVGCHG: settings that cannot be written at the end", 3000, [&] {
        std::unique_ptr<testbed::ImportHook> write;
        setUp = [&] {
            write.reset(new testbed::ImportHook("ADVAPI32.dll", "RegSetValueExA", (void*)RefuseWrite));
        };
        StartAndEnd(ExpectDefaultPlace);
        write.reset();
        EXPECT_TRUE(testreg::ValueNames(HKEY_CURRENT_USER, KEY).empty());
    });
}

TEST_F(NrxvgchgMatrix, DisplayThatReportsNoDepth)
{
    matrix::Case("NRXVGCHG: display that reports 0 bits per pixel", 3000, [&] {
        setUp = [] {
            testreg::WriteString(HKEY_CURRENT_USER, KEY, "Res800x600", "1,00000641");
            simulated::TheAdapter().bitsPerPixel = 0;
        };
        StartAndEnd([](HWND window) {
            EXPECT_EQ(0, (int)SendMessageA(Shell.toolbar, TB_GETSTATE, IDM_CYCLE, 0)) << "the cycle button is greyed";
            SendMessageA(window, WM_HOTKEY, 1, 0);
            SendMessageA(window, WM_COMMAND, IDM_CYCLE, 0);
            EXPECT_TRUE(simulated::TheAdapter().calls.empty());
        });
    });
}

}  // namespace
