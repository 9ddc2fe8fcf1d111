// The texts of the built NRXVGCHG.EXE, NRXDEL.EXE, PIVOTER.EXE and
// ROTSEL.EXE, read back under code page 932 and compared byte for byte.
#include "resource_reader.h"
#include "suite_version.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

const char PROGRAM[] = WINE_BUILD_DIR "\\bin\\NRXVGCHG.EXE";

struct Text {
    UINT id;
    const char* text;
};

// Every entry of the string table; these sources are compiled to cp932.
const Text STRINGS[] = {
    {1000, "ﾉﾘｯｸｽ"},
    {1001, "&2色"},
    {1002, "&16色"},
    {1003, "2&56色"},
    {1004, "64&K色"},
    {1005, "16&M色"},
    {1006, "設定(&S)..."},
    {1007, "ﾚｿﾞﾙｳﾞｧについて(&A)..."},
    {1008, "ﾍﾙﾌﾟ(&H)"},
    {1009, "開く(&O)"},
    {1010, "閉じる(&C)"},
    {1011, "終了(&X)"},
    {1012, "画面のﾌﾟﾛﾊﾟﾃｨ(&P)"},
    {1013, "解像度切り替え"},
    {1014, "ﾌﾟﾙﾀﾞｳﾝﾒﾆｭｰ"},
    {1016, "ｾｰﾌﾓｰﾄﾞでは使用できません。"},
    {1017, "Windowsをﾘｽﾀｰﾄしないと切り替えられません。\nﾘｽﾀｰﾄしますか？"},
    {1018, "現在、解像度の変更はできません。"},
    {1019, "ﾃﾞｽｸﾄｯﾌﾟのｻｲｽﾞを変更します。変更には数秒かかります。そのあいだ、画面がちらつくことがあります。\nWindows が正しく表示されない場合は、ｽﾍﾟｰｽｷｰを押すか、10秒間なにも操作せずにお待ち下さい｡"},
    {1020, "一時的にﾃﾞｽｸﾄｯﾌﾟのｻｲｽﾞを変更します。変更には数秒かかります。そのあいだ、画面がちらつくことがあります。\nWindows が正しく表示されない場合は、ｽﾍﾟｰｽｷｰを押すか、10秒間なにも操作せずにお待ち下さい｡"},
    {1021, "Windows 3.1用のﾃﾞｨｽﾌﾟﾚｲﾄﾞﾗｲﾊﾞｰでは動作しません。"},
    {1022, "ﾚｿﾞﾙｳﾞｧについて(&A)"},
    {1023, "ｼｮｰﾄｶｯﾄｷｰが重複しています。重複しないよう指定して下さい。"},
    {1024, "現在、ﾚｿﾞﾙｳﾞｧは動作できません。"},
};

class ShippedTexts : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(932u, GetACP());
        program = resources::LoadProgramData(PROGRAM);
        ASSERT_TRUE(program);
    }
    void TearDown() override { FreeLibrary(program); }
    HMODULE program = NULL;
};

// Every entry of a program's string table is `table`, byte for byte, and
// nothing else is in it.
void ExpectStringTable(HMODULE program, const std::vector<Text>& table)
{
    for (const Text& expected : table) {
        bool found = false;
        EXPECT_EQ(std::string(expected.text), resources::String(program, expected.id, &found))
            << expected.id;
        EXPECT_TRUE(found) << expected.id;
    }
    for (UINT id = 0; id < 3000; ++id) {
        bool known = false;
        for (const Text& expected : table)
            known = known || expected.id == id;
        bool found = false;
        resources::String(program, id, &found);
        EXPECT_EQ(known, found) << id;
    }
}

TEST_F(ShippedTexts, EveryStringTableEntryIsByteExact)
{
    ExpectStringTable(program, std::vector<Text>(std::begin(STRINGS), std::end(STRINGS)));
}

TEST_F(ShippedTexts, MessagesKeepTheirLineBreaksAndHalfWidthKana)
{
    std::string restart = resources::String(program, 1017);
    EXPECT_NE(std::string::npos, restart.find('\n'));
    EXPECT_EQ(std::string::npos, restart.find('\r'));
    std::string title = resources::String(program, 1000);
    EXPECT_EQ(std::string("\xC9\xD8\xAF\xB8\xBD"), title);  // ﾉﾘｯｸｽ, one byte each
}

TEST_F(ShippedTexts, AboutBoxTemplate)
{
    resources::Dialog about = resources::ReadDialog(program, 150);
    ASSERT_TRUE(about.found);
    EXPECT_EQ("ﾉﾘｯｸｽ ﾚｿﾞﾙｳﾞｧ", about.caption);
    EXPECT_EQ("ＭＳ Ｐゴシック", about.font);
    EXPECT_EQ(9, about.fontSize);
    EXPECT_EQ(162, about.width);
    EXPECT_EQ(71, about.height);
    EXPECT_TRUE(about.style & WS_VISIBLE);
    EXPECT_TRUE(about.style & DS_MODALFRAME);
    const resources::DialogControl* ok = about.Control(IDOK);
    ASSERT_TRUE(ok);
    EXPECT_EQ("OK", ok->text);
    EXPECT_EQ(56, ok->x);
    EXPECT_EQ(50, ok->y);
    EXPECT_EQ(50, ok->width);
    EXPECT_EQ(14, ok->height);
    const resources::DialogControl* version = about.ControlWithText("ﾉﾘｯｸｽ ﾚｿﾞﾙｳﾞｧ Ver 1.12");
    ASSERT_TRUE(version);
    EXPECT_EQ(35, version->x);
    EXPECT_EQ(14, version->y);
    EXPECT_EQ(120, version->width);
    EXPECT_EQ(8, version->height);
    EXPECT_EQ((DWORD)SS_CENTER, version->style & SS_TYPEMASK);
    const resources::DialogControl* icon = about.ControlWithText("#10");
    ASSERT_TRUE(icon);
    EXPECT_EQ((DWORD)SS_ICON, icon->style & SS_TYPEMASK);
    EXPECT_EQ(7, icon->x);
    EXPECT_EQ(7, icon->y);
}

TEST_F(ShippedTexts, ToolbarBitmapHoldsTwoSixteenColourButtonsAndTheIconTwoSizes)
{
    HBITMAP bitmap = (HBITMAP)LoadImageA(program, MAKEINTRESOURCEA(100), IMAGE_BITMAP, 0, 0,
                                         LR_CREATEDIBSECTION);
    ASSERT_TRUE(bitmap);
    DIBSECTION dib = {};
    ASSERT_TRUE(GetObjectA(bitmap, sizeof(dib), &dib));
    EXPECT_EQ(36, dib.dsBm.bmWidth);
    EXPECT_EQ(18, dib.dsBm.bmHeight);
    EXPECT_EQ(4, dib.dsBm.bmBitsPixel);
    DeleteObject(bitmap);
    // The icon group lists a 32x32 and a 16x16 image of 16 colours.
    HRSRC group = FindResourceA(program, MAKEINTRESOURCEA(10), (LPCSTR)RT_GROUP_ICON);
    ASSERT_TRUE(group);
    const BYTE* directory = (const BYTE*)LockResource(LoadResource(program, group));
    ASSERT_TRUE(directory);
    int count = *(const WORD*)(directory + 4);
    ASSERT_EQ(2, count);
    const BYTE* entries = directory + 6;  // 14 bytes each: width, height, colours, ...
    EXPECT_EQ(32, entries[0]);
    EXPECT_EQ(16, entries[2]);
    EXPECT_EQ(16, entries[14]);
    EXPECT_EQ(16, entries[14 + 2]);
}

struct ControlSpec {
    int id;  // -1 for a static without id
    const char* className;
    const char* text;
    int x, y, width, height;
    DWORD style, styleMask;  // the control's own style bits that matter, if any
};

void ExpectDialog(HMODULE program, int id, const char* caption, int width, int height,
                  const std::vector<ControlSpec>& controls)
{
    SCOPED_TRACE("dialog " + std::to_string(id));
    resources::Dialog dialog = resources::ReadDialog(program, id);
    ASSERT_TRUE(dialog.found);
    EXPECT_EQ(caption, dialog.caption);
    EXPECT_EQ("ＭＳ Ｐゴシック", dialog.font);
    EXPECT_EQ(9, dialog.fontSize);
    EXPECT_EQ(width, dialog.width);
    EXPECT_EQ(height, dialog.height);
    EXPECT_TRUE(dialog.style & DS_MODALFRAME);
    EXPECT_EQ((DWORD)WS_CAPTION, dialog.style & WS_CAPTION);
    EXPECT_TRUE(dialog.style & WS_SYSMENU);
    ASSERT_EQ(controls.size(), dialog.controls.size());
    for (size_t i = 0; i < controls.size(); ++i) {
        const ControlSpec& expected = controls[i];
        const resources::DialogControl& actual = dialog.controls[i];
        EXPECT_EQ(expected.id, actual.id) << i;
        // Class names are matched without regard to case; windres stores a
        // custom class name in capitals.
        EXPECT_EQ(0, lstrcmpiA(expected.className, actual.className.c_str())) << actual.className;
        EXPECT_EQ(expected.text, actual.text) << i;
        EXPECT_EQ(expected.x, actual.x) << i;
        EXPECT_EQ(expected.y, actual.y) << i;
        EXPECT_EQ(expected.width, actual.width) << i;
        EXPECT_EQ(expected.height, actual.height) << i;
        EXPECT_EQ(expected.style, actual.style & expected.styleMask) << i;
    }
}

TEST_F(ShippedTexts, ConfirmationDialogTemplate)
{
    ExpectDialog(program, 130, "ﾚｿﾞﾙ ｳﾞｧ", 161, 59,
                 {{IDOK, "Button", "はい(&Y)", 22, 38, 50, 14, BS_DEFPUSHBUTTON, BS_TYPEMASK},
                  {IDCANCEL, "Button", "いいえ(&N)", 87, 38, 50, 14, BS_PUSHBUTTON, BS_TYPEMASK},
                  {-1, "Static", "正常に表示されていますか？", 36, 13, 118, 10, SS_CENTER, SS_TYPEMASK},
                  {131, "Static", "", 7, 7, 18, 21, SS_ICON, SS_TYPEMASK}});
}

TEST_F(ShippedTexts, RestartOrSwitchDialogTemplate)
{
    ExpectDialog(program, 140, "ﾚｿﾞﾙ ｳﾞｧ", 207, 67,
                 {{131, "Static", "", 7, 7, 18, 21, SS_ICON, SS_TYPEMASK},
                  {-1, "Static",
                   "ﾘｽﾀｰﾄせずに色数を変更すると、正常に動作しなくなる場合があります。\nﾘｽﾀｰﾄしますか？", 32,
                   7, 168, 26, SS_LEFT, SS_TYPEMASK},
                  {IDOK, "Button", "ﾘｽﾀｰﾄ(&R)", 24, 46, 50, 14, BS_DEFPUSHBUTTON, BS_TYPEMASK},
                  {141, "Button", "切り替え(&G)", 78, 46, 50, 14, BS_PUSHBUTTON, BS_TYPEMASK},
                  {IDCANCEL, "Button", "ｷｬﾝｾﾙ", 132, 46, 50, 14, BS_PUSHBUTTON, BS_TYPEMASK}});
}

TEST_F(ShippedTexts, SettingsDialogTemplate)
{
    ExpectDialog(program, 110, "ﾚｿﾞﾙｳﾞｧ設定", 154, 109,
                 {{-1, "Static", "解像度(\x1E" "R\x1F" "ｶ):", 7, 8, 38, 8, SS_LEFT, SS_TYPEMASK},
                  {1008, "ComboBox", "", 46, 7, 54, 70, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP,
                   CBS_DROPDOWNLIST | CBS_SORT | WS_VSCROLL | WS_TABSTOP},
                  {-1, "Button", "選択した解像度の設定値", 7, 27, 140, 52, BS_GROUPBOX, BS_TYPEMASK},
                  {111, "Button", "切り替え有効(\x1E" "E\x1F" "ﾕ)", 14, 40, 64, 10,
                   BS_AUTOCHECKBOX | WS_TABSTOP, BS_TYPEMASK | WS_TABSTOP},
                  {121, "Button", "ﾃｽﾄ", 90, 39, 50, 14, BS_PUSHBUTTON | WS_TABSTOP,
                   BS_TYPEMASK | WS_TABSTOP},
                  {-1, "Static", "ｼｮｰﾄｶｯﾄｷｰ(\x1E" "S\x1F" "ｼ):", 14, 61, 51, 8, SS_LEFT, SS_TYPEMASK},
                  {116, "msctls_hotkey32", "Hotkey1", 68, 58, 70, 14, WS_BORDER | WS_TABSTOP,
                   WS_BORDER | WS_TABSTOP},
                  {IDOK, "Button", "OK", 15, 88, 50, 14, BS_DEFPUSHBUTTON, BS_TYPEMASK},
                  {IDCANCEL, "Button", "ｷｬﾝｾﾙ", 87, 88, 50, 14, BS_PUSHBUTTON, BS_TYPEMASK}});
}

// Each version text of the program's Japanese version block, byte for byte.
void ExpectVersionTexts(HMODULE program, const std::vector<std::pair<const char*, const char*>>& texts)
{
    for (const auto& text : texts)
        EXPECT_EQ(text.second, resources::VersionText(program, text.first)) << text.first;
}

// A built program loaded as data, its texts read in code page 932.
class BuiltProgram : public ::testing::Test {
protected:
    explicit BuiltProgram(const char* path) : path(path) {}
    void SetUp() override
    {
        ASSERT_EQ(932u, GetACP());
        program = resources::LoadProgramData(path);
        ASSERT_TRUE(program);
    }
    void TearDown() override { FreeLibrary(program); }
    // The image's bytes, in which each of `literals` must be, with its
    // terminator, exactly as these bytes.
    std::string ExpectLiterals(const std::vector<const char*>& literals)
    {
        std::ifstream image(path, std::ios::binary);
        EXPECT_TRUE(image.good());
        std::string bytes((std::istreambuf_iterator<char>(image)), std::istreambuf_iterator<char>());
        for (const char* literal : literals)
            EXPECT_NE(std::string::npos, bytes.find(std::string(literal, lstrlenA(literal) + 1)))
                << literal;
        return bytes;
    }
    const char* path;
    HMODULE program = NULL;
};

// NRXVGCHG.EXE and NRXCHG32.DLL have no version fixed of their own beyond
// the about box's "Ver 1.12": both name the suite as their product, at the
// suite's version (VERSION at the top of the tree).
TEST(SuiteVersionBlocks, NameTheSuiteAsTheProduct)
{
    const WORD suite[] = {SUITE_VERSION_NUMBERS};
    const unsigned long long suiteVersion =
        (unsigned long long)suite[0] << 48 | (unsigned long long)suite[1] << 32 | (unsigned long long)suite[2] << 16;
    struct Block {
        const char* image;
        unsigned long long fileVersion;
        const char *fileVersionText, *description, *internalName;
    } blocks[] = {
        {"NRXVGCHG.EXE", 0x0001000C00000000ull, "1.12", "ﾉﾘｯｸｽ ﾚｿﾞﾙｳﾞｧ", "NRXVGCHG"},
        {"NRXCHG32.DLL", suiteVersion, SUITE_VERSION_TEXT, "NORIX Display Helper Library", "NRXCHG32"},
    };
    for (const Block& block : blocks) {
        SCOPED_TRACE(block.image);
        HMODULE image = resources::LoadProgramData(std::string(WINE_BUILD_DIR "\\bin\\") + block.image);
        ASSERT_TRUE(image);
        EXPECT_EQ(block.fileVersion, resources::FixedFileVersion(image));
        ExpectVersionTexts(image, {{"FileVersion", block.fileVersionText},
                                   {"ProductVersion", SUITE_VERSION_TEXT},
                                   {"FileDescription", block.description},
                                   {"ProductName", "NORIX Display Utilities"},
                                   {"InternalName", block.internalName},
                                   {"OriginalFilename", block.image},
                                   {"CompanyName", "NORIX Co.,Ltd."},
                                   {"LegalCopyright", "Copyright (C) 1998 NORIX Co.,Ltd."}});
        FreeLibrary(image);
    }
}

// The texts and resources of the built NRXDEL.EXE.
class ShippedUninstaller : public BuiltProgram {
protected:
    ShippedUninstaller() : BuiltProgram(WINE_BUILD_DIR "\\bin\\NRXDEL.EXE") {}
};

TEST_F(ShippedUninstaller, SelectionDialogTemplate)
{
    ExpectDialog(program, 101, "ｱﾝｲﾝｽﾄｰﾙ", 171, 111,
                 {{-1, "Static", "ｱﾝｲﾝｽﾄｰﾙする項目を選択してください。", 19, 17, 145, 12, SS_LEFT, SS_TYPEMASK},
                  {1000, "Button", "ﾄﾞﾗｲﾊﾞのｱﾝｲﾝｽﾄｰﾙ", 30, 39, 75, 10, BS_AUTOCHECKBOX | WS_TABSTOP,
                   BS_TYPEMASK | WS_TABSTOP},
                  {1001, "Button", "ﾚｿﾞﾙｳﾞｧのｱﾝｲﾝｽﾄｰﾙ", 30, 60, 102, 10, BS_AUTOCHECKBOX | WS_TABSTOP,
                   BS_TYPEMASK | WS_TABSTOP},
                  {IDOK, "Button", "OK", 30, 90, 50, 14, BS_DEFPUSHBUTTON, BS_TYPEMASK},
                  {IDCANCEL, "Button", "ｷｬﾝｾﾙ", 91, 90, 50, 14, BS_PUSHBUTTON, BS_TYPEMASK}});
    EXPECT_EQ((DWORD)(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT),
              resources::ReadDialog(program, 101).style);
    EXPECT_TRUE(FindResourceExA(program, (LPCSTR)RT_DIALOG, MAKEINTRESOURCEA(101),
                                MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT)));
}

TEST_F(ShippedUninstaller, VersionResourceInJapanese)
{
    ExpectVersionTexts(program, {{"FileVersion", "1, 4, 1, 0"},
                                 {"ProductVersion", "1, 4, 1, 0"},
                                 {"InternalName", "NRXDEL"},
                                 {"OriginalFilename", "NRXDEL.EXE"},
                                 {"FileDescription", "NORIX Display Driver Uninstaller for Windows95"},
                                 {"ProductName", "NORIX Display Driver Uninstaller for Windows95"},
                                 {"CompanyName", "NORIX Co.,Ltd."},
                                 {"LegalCopyright", "Copyright (C) 1998 NORIX Co.,Ltd."}});
}

TEST_F(ShippedUninstaller, OneIconOfTwoSizes)
{
    EXPECT_EQ(std::vector<int>{1}, resources::IconGroups(program));
    EXPECT_EQ((std::vector<int>{32, 16}), resources::IconSizes(program, 1));
}

// PIVOTER.EXE: its string table, about box, version resource, icon, and the
// texts it holds as literals.
class PivoterTexts : public BuiltProgram {
protected:
    PivoterTexts() : BuiltProgram(WINE_BUILD_DIR "\\bin\\PIVOTER.EXE") {}
};

TEST_F(PivoterTexts, StringTable)
{
    ExpectStringTable(program, {{1, "LCD ﾚｿﾞﾙｳﾞｧ"},
                                {2, "ﾊﾞｰｼﾞｮﾝ情報"},
                                {3, "Copyright (C) 1998 NORIX Co.,Ltd."},
                                {4, "NRXLCD.DRV"},
                                {5, "終了"}});
}

TEST_F(PivoterTexts, AboutBoxTemplate)
{
    const DWORD TEXT_STYLE = SS_LEFT | WS_GROUP;
    const DWORD TEXT_MASK = SS_TYPEMASK | WS_GROUP;
    ExpectDialog(program, 103, "ﾊﾞｰｼﾞｮﾝ情報", 187, 93,
                 {{IDOK, "Button", "OK", 69, 72, 50, 14, BS_DEFPUSHBUTTON | WS_TABSTOP,
                   BS_TYPEMASK | WS_TABSTOP},
                  {1003, "Static", "LCD ﾚｿﾞﾙｳﾞｧ", 56, 13, 104, 8, TEXT_STYLE, TEXT_MASK},
                  {1004, "Static", "Ver 1.00", 56, 31, 67, 8, TEXT_STYLE, TEXT_MASK},
                  {1005, "Static", "Copyright (C) 1998 NORIX Co.,Ltd.", 56, 48, 105, 8, TEXT_STYLE,
                   TEXT_MASK},
                  {-1, "Static", "#105", 20, 25, 18, 20, SS_ICON, SS_TYPEMASK}});
    resources::Dialog about = resources::ReadDialog(program, 103);
    const DWORD frame = WS_POPUP | WS_VISIBLE | DS_3DLOOK;
    EXPECT_EQ(frame, about.style & frame);
}

TEST_F(PivoterTexts, VersionResource)
{
    EXPECT_EQ(0x0001000000000000ull, resources::FixedFileVersion(program));
    ExpectVersionTexts(program, {{"FileDescription", "LCD ﾚｿﾞﾙｳﾞｧ"},
                                 {"ProductName", "LCD ﾚｿﾞﾙｳﾞｧ"},
                                 {"InternalName", "PIVOTER"},
                                 {"OriginalFilename", "PIVOTER.EXE"}});
}

TEST_F(PivoterTexts, IconHasTwoSizes)
{
    EXPECT_EQ((std::vector<int>{32, 16}), resources::IconSizes(program, 105));
}

// Texts the program holds as literals: each must be in the image, with its
// terminator, exactly as these bytes.
TEST_F(PivoterTexts, LiteralTextsAreByteExact)
{
    std::string bytes = ExpectLiterals({
        "LCD ﾚｿﾞﾙｳﾞｧ",
        "ﾉﾘｯｸｽ製ﾄﾞﾗｲﾊﾞが動作していません。",
        "LCDﾄﾞﾗｲﾊﾞの切り替え情報が不足しているか\n切り替えをｻﾎﾟｰﾄしていません。",
        "現在のﾄﾞﾗｲﾊﾞは切り替えをｻﾎﾟｰﾄしていません。",
        "LCDﾊﾟﾈﾙが接続されていないか\nﾄﾞﾗｲﾊﾞが切り替えをｻﾎﾟｰﾄしていません。",
        "設定を変更できませんでした。\nﾚｼﾞｽﾄﾘへのｱｸｾｽ権がない可能性があります",
        "ﾉﾘｯｸｽ",
        "ノリックス",
        "PivoterMainClass",
        "PivoterMenuClass",
    });
    // The simulated panel of the testbed build is not in the shipped image.
    EXPECT_EQ(std::string::npos, bytes.find("NrxTestbed"));
}

// ROTSEL.EXE: its string table, dialogs, version resource, icon, and the
// texts it holds as literals.
class RotselTexts : public BuiltProgram {
protected:
    RotselTexts() : BuiltProgram(WINE_BUILD_DIR "\\bin\\ROTSEL.EXE") {}
    static constexpr DWORD TEXT_STYLE = SS_LEFT | WS_GROUP;
    static constexpr DWORD TEXT_MASK = SS_TYPEMASK | WS_GROUP;
    static constexpr DWORD BUTTON_MASK = BS_TYPEMASK | WS_TABSTOP;
};

TEST_F(RotselTexts, StringTable)
{
    ExpectStringTable(program, {{1, "LCDﾄﾞﾗｲﾊﾞの切り替え"},
                                {2, "Ver 1.00"},
                                {3, "Copyright (C) 1998 NORIX Co.,Ltd."},
                                {4, "NRXLCD.DRV"}});
}

TEST_F(RotselTexts, DialogTemplates)
{
    ExpectDialog(program, 101, "LCDﾄﾞﾗｲﾊﾞの切り替え", 175, 193,
                 {{-1, "Static", "標準ﾄﾞﾗｲﾊﾞからLCD縦置きﾄﾞﾗｲﾊﾞへ切り替え、再起動します。", 20, 15, 135, 20,
                   TEXT_STYLE, TEXT_MASK},
                  {-1, "Button", "説明", 14, 49, 147, 74, BS_GROUPBOX, BS_TYPEMASK},
                  {-1, "Static",
                   "ﾄﾞﾗｲﾊﾞを切り替えた場合、LCDﾊﾟﾈﾙの\n「横置き表示/縦置き表示」の切り替えが、\n"
                   "LCD ﾚｿﾞﾙｳﾞｧ等でﾀﾞｲﾅﾐｯｸに行えます。\n\n(注意： 描画のﾊﾟﾌｫｰﾏﾝｽは若干低下します)",
                   20, 67, 138, 43, TEXT_STYLE, TEXT_MASK},
                  {1000, "Button", "縦置き表示の設定にして再起動する", 27, 135, 121, 10,
                   BS_AUTOCHECKBOX | WS_TABSTOP, BUTTON_MASK},
                  {1008, "Static", "LCDﾊﾟﾈﾙは接続されていません", 40, 150, 94, 8, TEXT_STYLE, TEXT_MASK},
                  {IDOK, "Button", "再起動(&R)", 26, 166, 50, 14, BS_DEFPUSHBUTTON | WS_TABSTOP, BUTTON_MASK},
                  {IDCANCEL, "Button", "ｷｬﾝｾﾙ(&C)", 98, 166, 50, 14, BS_PUSHBUTTON | WS_TABSTOP,
                   BUTTON_MASK}});
    ExpectDialog(program, 102, "LCDﾄﾞﾗｲﾊﾞの切り替え", 175, 155,
                 {{-1, "Static", "LCD縦置きﾄﾞﾗｲﾊﾞから標準ﾄﾞﾗｲﾊﾞへ切り替え、\n再起動します。", 23, 15, 134, 20,
                   TEXT_STYLE, TEXT_MASK},
                  {-1, "Button", "説明", 18, 48, 138, 62, BS_GROUPBOX, BS_TYPEMASK},
                  {-1, "Static",
                   "ﾄﾞﾗｲﾊﾞを切り替えた場合、LCDﾊﾟﾈﾙの\n「横置き表示/縦置き表示」の切り替えは\n"
                   "出来ませんが、描画のﾊﾟﾌｫｰﾏﾝｽは最高\nになります。",
                   27, 64, 121, 37, TEXT_STYLE, TEXT_MASK},
                  {IDOK, "Button", "再起動(&R)", 29, 126, 50, 14, BS_DEFPUSHBUTTON | WS_TABSTOP, BUTTON_MASK},
                  {IDCANCEL, "Button", "ｷｬﾝｾﾙ(&C)", 96, 126, 50, 14, BS_PUSHBUTTON | WS_TABSTOP,
                   BUTTON_MASK}});
    ExpectDialog(program, 103, "ﾊﾞｰｼﾞｮﾝ情報", 187, 93,
                 {{IDOK, "Button", "OK", 69, 72, 50, 14, BS_DEFPUSHBUTTON | WS_TABSTOP, BUTTON_MASK},
                  {1003, "Static", "LCDﾄﾞﾗｲﾊﾞの切り替え", 56, 13, 104, 8, TEXT_STYLE, TEXT_MASK},
                  {1004, "Static", "Ver 1.00", 56, 31, 67, 8, TEXT_STYLE, TEXT_MASK},
                  {1005, "Static", "Copyright (C) 1998 NORIX Co.,Ltd.", 56, 48, 105, 8, TEXT_STYLE,
                   TEXT_MASK},
                  {-1, "Static", "#105", 20, 25, 18, 20, SS_ICON, SS_TYPEMASK}});
    const DWORD frame = WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_3DLOOK;
    for (int id : {101, 102, 103})
        EXPECT_EQ(frame | DS_SETFONT, resources::ReadDialog(program, id).style) << id;
}

TEST_F(RotselTexts, VersionResource)
{
    EXPECT_EQ(0x0001000000000000ull, resources::FixedFileVersion(program));
    ExpectVersionTexts(program, {{"FileDescription", "LCDﾄﾞﾗｲﾊﾞの切り替え"},
                                 {"ProductName", "LCDﾄﾞﾗｲﾊﾞの切り替え"},
                                 {"InternalName", "ROTSEL"},
                                 {"OriginalFilename", "ROTSEL.EXE"}});
}

TEST_F(RotselTexts, OneIconOfTwoSizes)
{
    EXPECT_EQ(std::vector<int>{105}, resources::IconGroups(program));
    EXPECT_EQ((std::vector<int>{32, 16}), resources::IconSizes(program, 105));
}

TEST_F(RotselTexts, LiteralTextsAreByteExact)
{
    std::string bytes = ExpectLiterals({
        "ﾉﾘｯｸｽ製ﾄﾞﾗｲﾊﾞが動作していません。",
        "LCDﾄﾞﾗｲﾊﾞの切り替え情報が不足しているか\n切り替えをｻﾎﾟｰﾄしていません。",
        "ﾊﾞｰｼﾞｮﾝ情報(&A)...",
        "RotselMainClass",
        "NRXCHG32.DLL",
        "RestartWindows",
    });
    // Neither the simulated panel nor the test double's log is in the shipped image.
    EXPECT_EQ(std::string::npos, bytes.find("NrxTestbed"));
    EXPECT_EQ(std::string::npos, bytes.find("NRXCHG32_LOG"));
    EXPECT_LE(bytes.size(), 32u * 1024);
}

}  // namespace
