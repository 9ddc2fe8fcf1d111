// Every program's start-up as Windows 95, Windows 98 and Windows XP (Wine's
// per-program version), on the registry each platform keeps: what the user
// sees first, checked per version and printed at the end as a table
// (program and set-up, then one column per version). Windows NT keeps no
// Configuration Manager nodes, and its panel settings live in the video
// device's service key, so the XP runs of the LCD programs get that layout.
#include "pivoter_e2e_fixture.h"
#include "resolution_changer_fixture.h"
#include "rotsel_e2e_fixture.h"
#include "uninstaller_e2e_fixture.h"

#include <cstdio>
#include <utility>

namespace {

enum Version { WIN95, WIN98, WINXP, VERSIONS };
const char* const VERSION_NAMES[VERSIONS] = {"win95", "win98", "winxp"};

const char TOOL_WINDOW_AND_ICON[] = "tool window and tray icon";
const char TRAY_ICON[] = "tray icon";
const char NO_VENDOR_DRIVER[] = "box: ﾉﾘｯｸｽ製ﾄﾞﾗｲﾊﾞが動作していません。";
const char NO_PANEL[] = "box: LCDﾊﾟﾈﾙが接続されていないか\nﾄﾞﾗｲﾊﾞが切り替えをｻﾎﾟｰﾄしていません。";

// What was seen, row by row in the order the tests report them.
class Matrix : public ::testing::Environment {
public:
    void Record(const std::string& row, Version version, const std::string& seen)
    {
        for (auto& entry : rows_)
            if (entry.first == row) {
                entry.second[version] = seen;
                return;
            }
        rows_.emplace_back(row, std::vector<std::string>(VERSIONS));
        rows_.back().second[version] = seen;
    }
    // As table rows in cp932; a line break of a message as a blank.
    void TearDown() override
    {
        std::printf("| Program, set-up | win95 | win98 | winxp |\n|---|---|---|---|\n");
        for (const auto& entry : rows_) {
            std::string line = "| " + entry.first;
            for (const std::string& seen : entry.second)
                line += " | " + seen;
            for (char& c : line)
                if (c == '\n')
                    c = ' ';
            std::printf("%s |\n", line.c_str());
        }
    }

private:
    std::vector<std::pair<std::string, std::vector<std::string>>> rows_;
};

Matrix* const matrix = (Matrix*)::testing::AddGlobalTestEnvironment(new Matrix);

// What a started program shows first: its first box or dialog (described by
// `dialog`, a message box by its text), or what `ownWindow` recognises of
// its own windows once it waits for input.
template <typename Dialog, typename OwnWindow>
std::string FirstSight(driver::Program& program, driver::BoxAnswerer& boxes, Dialog dialog,
                       OwnWindow ownWindow)
{
    std::string seen;
    program.WaitUntilIdle();
    driver::WaitFor([&] {
        std::vector<driver::SeenBox> shown = boxes.Seen();
        seen = shown.empty() ? ownWindow() : dialog(shown[0]);
        return !seen.empty();
    });
    return seen.empty() ? "nothing" : seen;
}

std::string MessageBoxOnly(const driver::SeenBox& box)
{
    return "box: " + box.text;
}

// The Windows NT layout of an LCD installation: no Configuration Manager
// nodes (Wine keeps HKEY_DYN_DATA in every version mode).
void WithoutConfigManagerNodes()
{
    testreg::DeleteTree(HKEY_DYN_DATA, "Config Manager\\Enum\\NRX0000");
}

struct Row {
    const char* setUp;
    void (*layOut)();
    const char* seen[VERSIONS];
};

class NrxvgchgVersions : public e2e::ResolutionChangerE2E {
protected:
    testreg::RegistryRestorer restorer;
};

TEST_F(NrxvgchgVersions, FirstStart)
{
    for (int v = WIN95; v < VERSIONS; ++v) {
        SCOPED_TRACE(VERSION_NAMES[v]);
        testreg::DeleteTree(HKEY_CURRENT_USER, e2e::KEY);
        testreg::RunProgramAs(restorer, "NRXVGCHG.EXE", VERSION_NAMES[v]);
        driver::Program program(e2e::PROGRAM);
        HWND window = Start(program);
        ASSERT_TRUE(window);
        std::string seen = IsWindowVisible(window) ? "tool window" : "hidden tool window";
        seen += driver::TrayIconShown(window, e2e::TRAY_ICON_ID) ? " and tray icon" : ", no tray icon";
        matrix->Record("NRXVGCHG, first start", (Version)v, seen);
        EXPECT_EQ(TOOL_WINDOW_AND_ICON, seen);
        EXPECT_EQ(0, Exit(program, window));
    }
}

class PivoterVersions : public pivoter_e2e::PivoterE2E {};

TEST_F(PivoterVersions, Start)
{
    using namespace pivoter_e2e;
    const char* const STANDARD_DRIVER = "box: 現在のﾄﾞﾗｲﾊﾞは切り替えをｻﾎﾟｰﾄしていません。";
    const struct : Row {
        bool testbed;
    } rows[] = {
        {{"PIVOTER testbed build, portrait driver", [] { lcdreg::PortraitInstallation(); },
          {TRAY_ICON, TRAY_ICON, TRAY_ICON}}, true},
        {{"PIVOTER shipped image, portrait driver", [] { lcdreg::PortraitInstallation(); },
          {NO_PANEL, NO_PANEL, NO_PANEL}}, false},
        // Windows NT skips the driver checks: only the panel counts.
        {{"PIVOTER testbed build, no vendor device", [] {},
          {NO_VENDOR_DRIVER, NO_VENDOR_DRIVER, TRAY_ICON}}, true},
        {{"PIVOTER testbed build, standard driver",
          [] {
              lcdreg::PortraitInstallation();
              lcdreg::AddDriver("DISPLAY\\0001", "VGA.DRV");
          },
          {STANDARD_DRIVER, STANDARD_DRIVER, TRAY_ICON}}, true},
    };
    for (const auto& row : rows)
        for (int v = WIN95; v < VERSIONS; ++v) {
            SCOPED_TRACE(std::string(row.setUp) + ", " + VERSION_NAMES[v]);
            testreg::DeleteTree(HKEY_DYN_DATA, "Config Manager\\Enum\\NRX0000");
            testreg::DeleteTree(HKEY_CURRENT_USER, lcdreg::NRXLCD_KEY);
            row.layOut();
            if (v == WINXP) {
                WithoutConfigManagerNodes();
                ASSERT_NO_FATAL_FAILURE(RunAsWindowsNt());
            } else {
                testreg::RunProgramAs(restorer, "PIVOTER.EXE", VERSION_NAMES[v]);
            }
            driver::Program program(row.testbed ? TESTBED : SHIPPED);
            driver::BoxAnswerer boxes(program.id());
            std::string seen = FirstSight(program, boxes, MessageBoxOnly, [&]() -> std::string {
                std::vector<HWND> windows = driver::ProcessWindows(program.id(), MAIN_CLASS);
                return windows.size() == 1 && TrayIconShown(windows[0]) ? TRAY_ICON : "";
            });
            matrix->Record(row.setUp, (Version)v, seen);
            EXPECT_EQ(row.seen[v], seen);
            if (!boxes.Seen().empty())
                driver::PostCommand(boxes.Seen()[0].window, IDOK);
            for (HWND window : driver::ProcessWindows(program.id(), MAIN_CLASS))
                PostMessageA(window, WM_COMMAND, 5, 0);  // 終了
            EXPECT_EQ(0, program.WaitForExit());
        }
}

class RotselVersions : public rotsel_e2e::RotselE2E {};

TEST_F(RotselVersions, Start)
{
    using namespace rotsel_e2e;
    const struct : Row {
        bool shippedImage;
    } rows[] = {
        {{"ROTSEL testbed build, standard driver", [] { LayOut(STANDARD); },
          {"dialog 101", "dialog 101", NO_VENDOR_DRIVER}}, false},
        {{"ROTSEL testbed build, portrait driver", [] { LayOut(PORTRAIT); },
          {"dialog 102", "dialog 102", NO_VENDOR_DRIVER}}, false},
        {{"ROTSEL shipped image, standard driver", [] { LayOut(STANDARD); },
          {"dialog 101", "dialog 101", NO_VENDOR_DRIVER}}, true},
    };
    for (const auto& row : rows)
        for (int v = WIN95; v < VERSIONS; ++v) {
            SCOPED_TRACE(std::string(row.setUp) + ", " + VERSION_NAMES[v]);
            Clear();
            row.layOut();
            if (v == WINXP)
                WithoutConfigManagerNodes();
            testreg::RunProgramAs(restorer, "ROTSEL.EXE", VERSION_NAMES[v]);
            driver::Program program(row.shippedImage ? Shipped() : TESTBED);
            driver::BoxAnswerer boxes(program.id());
            auto dialog = [](const driver::SeenBox& box) -> std::string {
                if (GetDlgItem(box.window, CHECK_BOX))
                    return "dialog 101";
                return driver::ControlText(box.window, IDOK) == "再起動(&R)" ? "dialog 102" : MessageBoxOnly(box);
            };
            std::string seen = FirstSight(program, boxes, dialog, [] { return std::string(); });
            matrix->Record(row.setUp, (Version)v, seen);
            EXPECT_EQ(row.seen[v], seen);
            if (!boxes.Seen().empty())
                driver::PostCommand(boxes.Seen()[0].window, IDCANCEL);
            EXPECT_EQ(0, program.WaitForExit());
            EXPECT_FALSE(testfiles::Exists(RESTART_LOG));
        }
}

class NrxdelVersions : public uninstaller_e2e::UninstallerE2E {
protected:
    testreg::RegistryRestorer restorer;
};

TEST_F(NrxdelVersions, Start)
{
    using namespace uninstaller_e2e;
    const char RELOCATED[] = "ends (1), its copy in the Windows directory shows dialog 101";
    const char CANNOT_START[] = "box: ｱﾝｲﾝｽﾄｰﾗを起動できません。\nｱﾝｲﾝｽﾄｰﾙを中止します。";
    for (int v = WIN95; v < VERSIONS; ++v) {
        SCOPED_TRACE(VERSION_NAMES[v]);
        testreg::RunProgramAs(restorer, "NRXDEL.EXE", VERSION_NAMES[v]);
        {
            driver::Program first(program);
            std::string seen = "ends (" + std::to_string(first.WaitForExit()) + ")";
            HWND dialog = FindSelectionDialog();
            if (dialog && ProcessOf(dialog) != first.id() && testfiles::Exists(COPY))
                seen += ", its copy in the Windows directory shows dialog 101";
            matrix->Record("NRXDEL, first run from its install folder", (Version)v, seen);
            EXPECT_EQ(RELOCATED, seen);
            EXPECT_EQ(1, CancelAndWait(dialog));
            EXPECT_TRUE(driver::WaitFor([] {
                testfiles::Remove(COPY);
                return !testfiles::Exists(COPY);
            }));
        }
        testfiles::ScratchFolder empty("nrxdel_empty");
        driver::Program first(program, empty.path());
        driver::BoxAnswerer boxes(first.id());
        boxes.Queue(IDOK);
        std::string seen = FirstSight(first, boxes, MessageBoxOnly, [] { return std::string(); });
        matrix->Record("NRXDEL, started in a folder without its program file", (Version)v, seen);
        EXPECT_EQ(CANNOT_START, seen);
        EXPECT_EQ(0, first.WaitForExit());
    }
}

}  // namespace
