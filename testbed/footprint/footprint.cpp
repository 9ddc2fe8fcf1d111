// Lays down an install footprint.
#include "footprint.h"
#include "group_windows.h"
#include "scratch_files.h"
#include "scratch_registry.h"

#include <ddeml.h>
#include <shlobj.h>

#include <algorithm>

namespace footprint {

namespace {

// The boards of the uninstaller's model table, with the stem of their driver files.
struct Model {
    const char* name;
    int code;
    const char* hardwareId;
    const char* stem;
};
const Model MODELS[] = {
    {"QX-S", 1, "PCI\\VEN_5333&DEV_5631", "QXS"},       {"QX-T", 2, "PCI\\VEN_5333&DEV_883D", "QXT"},
    {"QX-S R2", 3, "PCI\\VEN_5333&DEV_8A01", "QR2"},    {"QX-S R3", 4, "PCI\\VEN_5333&DEV_8A10", "QR3"},
    {"QX-S4K-A", 5, "PCI\\VEN_5333&DEV_8C01", "QS4"},   {"QX-S4K-B", 5, "PCI\\VEN_5333&DEV_8C01", "QS4"},
    {"QZ-M", 11, "PCI\\VEN_3D3D&DEV_0004", "QZM"},      {"QZ-N", 12, "PCI\\VEN_104C&DEV_3D07", "QZN"},
    {"QZ-R", 13, "PCI\\VEN_3D3D&DEV_0004", "QZR"},      {"QZ-NN", 14, "PCI\\VEN_3D3D&DEV_0009", "QZNN"},
    {"QY-NN", 15, "PCI\\VEN_3D3D&DEV_0009", "QYN"},
};
const Model UNKNOWN_MODEL = {"", 0, "PCI\\VEN_0000&DEV_0000", "NRX"};

// The drive root's per-model file (PC-98, PC/AT) by board code.
struct ModelFile {
    int firstCode, lastCode;
    const char* pc98;
    const char* pcat;
};
const ModelFile MODEL_FILES[] = {
    {1, 1, "QXS98.NRX", "QXSAT.NRX"}, {2, 2, "QXT98.NRX", "QXTAT.NRX"},   {3, 3, "QR298.NRX", "QR2AT.NRX"},
    {4, 4, "QR398.NRX", "QR3AT.NRX"}, {5, 5, "QS498.NRX", "QS4AT.NRX"},   {11, 14, "QZN98.NRX", "QZNAT.NRX"},
    {15, 15, "QYN.NRX", "QYN.NRX"},
};

const char PROPERTY_SHEET_CLSID[] = "{C8D05F63-AE21-11cf-92E7-00E08C3D5C39}";
const char LCD_CLSID[] = "{A1C47E52-9B0F-11d0-83D6-00E08C3D5B28}";
const char ACCELERATOR_CLSID[] = "{5B2E9A41-7C3D-11d0-A4F2-00E08C3D5A17}";
const char CLSID_KEY[] = "HKLM\\SOFTWARE\\Classes\\CLSID\\";
const char HANDLERS_KEY[] =
    "HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Controls Folder\\Display\\shellex\\PropertySheetHandlers\\";
const char CLASS_KEY[] = "HKLM\\System\\CurrentControlSet\\Services\\Class\\";
const char RECORDS_KEY[] = "HKLM\\SOFTWARE\\NORIX\\DISPLAY";
const char STARTUP_GROUP[] = "ｽﾀｰﾄｱｯﾌﾟ";
const char START_MENU[] = "\\ｽﾀｰﾄ ﾒﾆｭｰ";
const char PROGRAMS[] = "\\ｽﾀｰﾄ ﾒﾆｭｰ\\ﾌﾟﾛｸﾞﾗﾑ";

std::string Upper(std::string text)
{
    for (size_t i = 0; i < text.size(); ++i) {
        unsigned char c = text[i];
        if (IsDBCSLeadByte(c))
            ++i;
        else if (c >= 'a' && c <= 'z')
            text[i] = (char)(c - 'a' + 'A');
    }
    return text;
}

std::string Lower(const std::string& text)
{
    return testfiles::LowerPath(text);
}

std::string Number(int n)
{
    char text[16];
    wsprintfA(text, n < 10 ? "0%d" : "%d", n);
    return text;
}

const Model& ModelOf(const std::string& name)
{
    for (const Model& model : MODELS)
        if (name == model.name)
            return model;
    return UNKNOWN_MODEL;
}

const char* ModelFileOf(int code, int machineType)
{
    for (const ModelFile& file : MODEL_FILES)
        if (code >= file.firstCode && code <= file.lastCode)
            return machineType == 1 ? file.pc98 : file.pcat;
    return NULL;
}

std::string Extension(const std::string& name)
{
    return name.size() < 3 ? "" : Upper(name.substr(name.size() - 3));
}

HKEY RootOf(const std::string& path, std::string* key)
{
    static const std::pair<const char*, HKEY> ROOTS[] = {
        {"HKLM\\", HKEY_LOCAL_MACHINE}, {"HKCU\\", HKEY_CURRENT_USER}, {"HKDD\\", HKEY_DYN_DATA}};
    for (const auto& root : ROOTS)
        if (path.compare(0, 5, root.first) == 0) {
            *key = path.substr(5);
            return root.second;
        }
    *key = path;
    return HKEY_LOCAL_MACHINE;
}

std::string Parent(const std::string& path)
{
    size_t slash = path.find_last_of('\\');
    return slash == std::string::npos ? "" : path.substr(0, slash);
}

// What the footprint is being laid with, and the manifest it grows.
class Layer {
public:
    Layer(const Description& description, const Places& places) : d_(description), p_(places) {}
    Footprint Run();

private:
    void AddItem(Item::Type type, const std::string& path, const std::string& name, const std::string& tag);
    void Key(const std::string& path, const std::string& tag);
    void Text(const std::string& key, const std::string& name, const std::string& text);
    void Flags(const std::string& key, const std::string& name);
    void Folders(const std::string& path);
    void File(const std::string& path, const std::string& tag, const char* copyOf = NULL);
    void Folder(const std::string& path, const std::string& tag);
    void GroupItem(const std::string& group, const std::string& item, const std::string& target,
                   const std::string& tag);
    void Pending(const std::string& text, const std::string& tag);
    void Resolve(std::vector<Install>* installs);
    void Records(const Install& install, const std::string& tag);
    void Driver(const Install& install, bool lastLcd);
    void Utility(const Install& install);
    void Shared(const Install& install, const std::string& tag);
    void Others();
    void MakeGroups();
    std::string DriveRoot(const std::string& name) const { return p_.driveRoot + name; }

    const Description& d_;
    Places p_;
    Footprint f_;
    std::map<std::string, size_t> index_;  // item by its lower-case path and name
    std::map<std::string, std::vector<std::pair<std::string, std::string>>> groups_;  // items and targets
    std::map<std::string, std::string> boards_;  // model -> board key name
    std::string pendingText_;
};

void Layer::AddItem(Item::Type type, const std::string& path, const std::string& name, const std::string& tag)
{
    std::string id = Lower(path) + "|" + Lower(name);
    auto found = index_.find(id);
    if (found != index_.end()) {
        f_.items[found->second].tags.insert(tag);
        return;
    }
    index_[id] = f_.items.size();
    f_.items.push_back({type, path, name, {tag}});
}

void Layer::Key(const std::string& path, const std::string& tag)
{
    std::string key;
    HKEY root = RootOf(path, &key);
    HKEY created;
    if (RegCreateKeyA(root, key.c_str(), &created) == ERROR_SUCCESS)
        RegCloseKey(created);
    AddItem(Item::KEY, path, "", tag);
}

void Layer::Text(const std::string& key, const std::string& name, const std::string& text)
{
    std::string path;
    HKEY root = RootOf(key, &path);
    testreg::WriteString(root, path.c_str(), name.c_str(), text);
}

void Layer::Flags(const std::string& key, const std::string& name)
{
    std::string path;
    HKEY root = RootOf(key, &path);
    const BYTE none[4] = {0, 0, 0, 0};
    testreg::Write(root, path.c_str(), name.c_str(), REG_BINARY, none, sizeof(none));
}

void Layer::Folders(const std::string& path)
{
    if (path.size() <= 3 || testfiles::Exists(path))
        return;
    Folders(Parent(path));
    testfiles::MakeFolder(path);
}

// A file: a copy of the description's source for its name, else of
// `copyOf`, else a placeholder naming it.
void Layer::File(const std::string& path, const std::string& tag, const char* copyOf)
{
    Folders(Parent(path));
    std::string name = path.substr(path.find_last_of('\\') + 1);
    auto source = d_.sources.find(Lower(name));
    if (source != d_.sources.end())
        copyOf = source->second.c_str();
    if (copyOf)
        CopyFileA(copyOf, path.c_str(), FALSE);
    else if (!testfiles::Exists(path))
        testfiles::Write(path, name + " (" + tag + ")\r\n");
    AddItem(Item::FILE, path, "", tag);
}

void Layer::Folder(const std::string& path, const std::string& tag)
{
    Folders(path);
    AddItem(Item::FOLDER_IF_EMPTY, path, "", tag);
}

void Layer::GroupItem(const std::string& group, const std::string& item, const std::string& target,
                      const std::string& tag)
{
    auto same = [&](const footprint::GroupItem& made) { return made.group == group && made.item == item; };
    auto made = std::find_if(f_.groupItems.begin(), f_.groupItems.end(), same);
    if (made == f_.groupItems.end())
        f_.groupItems.push_back({group, item, {tag}});
    else
        made->tags.insert(tag);
    if (p_.programs.empty())
        return;
    groups_[group].push_back({item, target});
    AddItem(Item::FILE, p_.programs + "\\" + group + "\\" + item + ".lnk", "", tag);
}

void Layer::Pending(const std::string& text, const std::string& tag)
{
    // Boards that share a model file share its line.
    for (PendingLine& line : f_.pending)
        if (line.text == text) {
            line.tags.insert(tag);
            return;
        }
    f_.pending.push_back({text, {tag}});
    pendingText_ += text + "\r\n";
}

// Numbers, boards, directories, groups, devices and files the description left open.
void Layer::Resolve(std::vector<Install>* installs)
{
    int next[2] = {0, 0};
    std::map<std::string, const Install*> latestDriver;
    for (Install& install : *installs) {
        const Model& model = ModelOf(install.model);
        if (install.number.empty())
            install.number = Number(next[install.kind]);
        next[install.kind] = std::max(next[install.kind], atoi(install.number.c_str()) + 1);
        if (!boards_.count(install.model)) {
            std::string board = "000" + std::to_string(boards_.size());
            boards_[install.model] = board.substr(board.size() - 4);
        }
        if (install.board.empty())
            install.board = boards_[install.model];
        const Install* driver = latestDriver.count(install.model) ? latestDriver[install.model] : NULL;
        if (install.installDir.empty())
            install.installDir = install.kind == UTILITY && driver
                                     ? driver->installDir
                                     : DriveRoot("Program Files\\NORIX\\" +
                                                 (install.kind == UTILITY ? std::string("ﾚｿﾞﾙｳﾞｧ") : install.model));
        if (install.folder.empty())
            install.folder = install.kind == UTILITY && driver ? driver->folder
                             : install.kind == UTILITY        ? std::string("ﾉﾘｯｸｽ ﾚｿﾞﾙｳﾞｧ")
                                                               : "ﾉﾘｯｸｽ表示ソフト " + install.model;
        std::string slot = "\\BUS_01&DEV_" + install.number + "&FUNC_0";
        if (install.kind == DRIVER && install.device.empty())
            install.device = model.hardwareId + std::string("&SUBSYS_00000000&REV_00") + slot + "0";
        if (install.kind == DRIVER && model.code == 11 && install.secondDevice.empty())
            install.secondDevice = "PCI\\VEN_3D3D&DEV_0100&SUBSYS_00000000&REV_00" + slot + "1";
        if (!install.filesGiven)
            install.files = UsualFiles(install.kind, install.model);
        if (install.kind == DRIVER)
            latestDriver[install.model] = &install;
    }
}

// The install's key and the records keys above it.
void Layer::Records(const Install& install, const std::string& tag)
{
    std::string records = std::string(RECORDS_KEY) + (install.kind == DRIVER ? "\\DRIVER" : "\\UTILITY");
    std::string key = records + "\\" + install.number;
    AddItem(Item::KEY_IF_EMPTY, "HKLM\\SOFTWARE\\NORIX", "", "norix");
    Key(RECORDS_KEY, "display records");
    Key(records, install.kind == DRIVER ? "driver records" : "utility records");
    Text(records, "Counter", install.number);
    Key(key, tag);
    Text(key, "InstDir", install.installDir);
    Text(key, "Board", install.board);
    Text(key, "FolderName", install.folder);
    if (install.kind == DRIVER) {
        Text(key, "DeviceNo", install.device);
        if (!install.secondDevice.empty())
            Text(key, "DeviceNo2", install.secondDevice);
    } else
        Text(key, "StartUp", install.startUp ? "1" : "0");
    for (size_t i = 0; i < install.files.size(); ++i)
        Text(key, std::to_string(i), install.files[i]);
}

// README.TXT, NRXDEL.EXE, the directory, the group's items and Start menu folder.
void Layer::Shared(const Install& install, const std::string& tag)
{
    f_.installDirs[(install.kind == DRIVER ? "driver " : "utility ") + install.number] = install.installDir;
    Folder(install.installDir, tag);
    File(install.installDir + "\\README.TXT", tag, PRODUCT_README);
    File(install.installDir + "\\NRXDEL.EXE", tag);
    Folder(p_.windows + PROGRAMS + "\\" + install.folder, tag);
    GroupItem(install.folder, "ｱﾝｲﾝｽﾄｰﾗ", install.installDir + "\\NRXDEL.EXE", tag);
    GroupItem(install.folder, "Read Me", install.installDir + "\\README.TXT", tag);
}

// The backup copy: the listed name with its last two characters replaced by the number.
std::string BackupName(const std::string& name, const std::string& number)
{
    return name.substr(0, name.size() - 2) + number;
}

void Layer::Driver(const Install& install, bool lastLcd)
{
    const Model& model = ModelOf(install.model);
    const std::string tag = "driver " + install.number, board = "board " + install.model;
    Records(install, tag);
    for (const std::string& device : {install.device, install.secondDevice}) {
        if (device.empty())
            continue;
        Key("HKLM\\Enum\\" + device, tag);
        Text("HKLM\\Enum\\" + device, "Class", device == install.device ? "DISPLAY" : "3D Accelerators");
        Text("HKLM\\Enum\\" + device, "Driver", "DISPLAY\\" + install.board);
        Text("HKLM\\Enum\\" + device, "DeviceDesc", "NORIX " + install.model);
        Key("HKLM\\Config\\0001\\Enum\\" + device, tag);
        Flags("HKLM\\Config\\0001\\Enum\\" + device, "CSConfigFlags");
    }
    std::string classKey = std::string(CLASS_KEY) + "DISPLAY\\" + install.board;
    Key(classKey, board);
    Text(classKey, "DriverDesc", "NORIX " + install.model);
    Text(classKey, "DevLoader", "*vdd");
    Text(classKey + "\\DEFAULT", "drv", Lower(model.stem) + ".drv");
    Key("HKLM\\Software\\NORIX\\" + install.board, board);
    Text("HKLM\\Software\\NORIX\\" + install.board, "Model", install.model);
    if (model.code == 11) {
        Key(std::string(CLASS_KEY) + "3D Accelerators\\" + install.board, board);
        Text(std::string(CLASS_KEY) + "3D Accelerators\\" + install.board, "DriverDesc", "NORIX 3D");
    }
    for (const std::string& name : install.files) {
        std::string extension = Extension(name);
        if (extension == "DRV" || extension == "VXD" || extension == "DLL")
            File(p_.system + "\\" + name, tag);
        else if (extension == "INI" || extension == "CPD" || extension == "EXE")
            File(p_.windows + "\\" + name, tag);
        else if (extension == "INF")
            File(p_.inf + "\\" + name, tag);
        File(DriveRoot("Program Files\\NORIX\\BACKUP\\DRIVER\\") + BackupName(name, install.number), tag);
    }
    Shared(install, tag + " shared");
    Key(CLSID_KEY + std::string(PROPERTY_SHEET_CLSID), "driver common");
    Text(CLSID_KEY + std::string(PROPERTY_SHEET_CLSID) + "\\InProcServer32", "", "NRXUTL.DLL");
    Key(HANDLERS_KEY + std::string("NRXUTL"), "driver common");
    Text(HANDLERS_KEY + std::string("NRXUTL"), "", PROPERTY_SHEET_CLSID);
    Key(std::string(CLASS_KEY) + "Monitor\\0000", "driver common");
    Text(std::string(CLASS_KEY) + "Monitor\\0000", "DriverDesc", "NORIX Monitor");
    Key("HKLM\\Enum\\Monitor\\DEFAULT_MONITOR\\0001", "driver common");
    Text("HKLM\\Enum\\Monitor\\DEFAULT_MONITOR\\0001", "Class", "Monitor");
    File(DriveRoot("NRXUTL.NRX"), "driver common");
    const char* modelFile = ModelFileOf(model.code, d_.machineType);
    if (modelFile) {
        File(DriveRoot(modelFile), board);
        Pending(p_.system + "\\" + model.stem + ".DRV=" + DriveRoot(Lower(modelFile)), "pending " + board);
    }
    if (model.code == 5) {
        Key(CLSID_KEY + std::string(LCD_CLSID), "lcd");
        Text(CLSID_KEY + std::string(LCD_CLSID) + "\\InProcServer32", "", "PNLPROP.DLL");
        Key(HANDLERS_KEY + std::string("PNLPROP"), "lcd");
        Text(HANDLERS_KEY + std::string("PNLPROP"), "", LCD_CLSID);
        Key("HKCU\\Software\\NORIX\\NrxLCD", "lcd");
        Text("HKCU\\Software\\NORIX\\NrxLCD\\Direction", "", "0");
        Text("HKCU\\Software\\NORIX\\NrxLCD\\DriverName", "", "NRXLCD.DRV");
        for (const char* name : {"CurrentDisplay", "CurrentDeskTop", "DuoView", "DuoView_SameImage"}) {
            Text("HKLM\\Config\\0001\\Display\\Settings", name, "0");
            AddItem(Item::VALUE, "HKLM\\Config\\0001\\Display\\Settings", name, "lcd");
        }
        if (lastLcd) {
            File(p_.windows + PROGRAMS + "\\" + install.folder + "\\LCDﾄﾞﾗｲﾊﾞの切り替え.LNK", "lcd");
            File(p_.windows + PROGRAMS + "\\" + install.folder + "\\LCD ﾚｿﾞﾙｳﾞｧ.LNK", "lcd");
            GroupItem(STARTUP_GROUP, "LCD ﾚｿﾞﾙｳﾞｧ", p_.windows + "\\PIVOTER.EXE", "lcd");
        }
        File(DriveRoot("PNLPROP.NRX"), "lcd");
    }
    if (model.code >= 11) {
        Key(CLSID_KEY + std::string(ACCELERATOR_CLSID), "3d");
        Text(CLSID_KEY + std::string(ACCELERATOR_CLSID) + "\\InProcServer32", "", "NRXD3D.DLL");
        Key(HANDLERS_KEY + std::string("NRXD3D"), "3d");
        Text(HANDLERS_KEY + std::string("NRXD3D"), "", ACCELERATOR_CLSID);
        Key("HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\OpenGLDrivers", "3d");
        Text("HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\OpenGLDrivers", model.stem,
             std::string(model.stem) + "GL.DLL");
        File(p_.system + "\\X3DAIDE.EXE", "3d");
        File(DriveRoot("NRXD3D.NRX"), "3d");
    }
    if (model.code == 11 || model.code == 13) {
        File(p_.system + "\\VGA.QZN", "vga");
        File(p_.system + "\\VGA.DRV", "vga");
    }
}

void Layer::Utility(const Install& install)
{
    const std::string tag = "utility " + install.number;
    Records(install, tag);
    bool helpSeen = false;
    for (const std::string& name : install.files) {
        std::string extension = Extension(name);
        if (extension == "DLL")
            File(p_.system + "\\" + name, tag + " files");
        else if (extension == "HLP" || extension == "CNT" || extension == "INI")
            File(p_.windows + "\\" + name, tag + " files");
        if (extension == "HLP" || extension == "CNT") {
            File(p_.windows + "\\" + name.substr(0, name.size() - 3) + (helpSeen ? "gid" : "exe"), tag + " files");
            helpSeen = true;
        }
        File(DriveRoot("Program Files\\NORIX\\BACKUP\\UTILITY\\") + BackupName(name, install.number), tag);
    }
    Shared(install, tag + " shared");
    File(p_.windows + START_MENU + "\\ﾚｿﾞﾙｳﾞｧ.LNK", "utility common");
    if (install.startUp)
        GroupItem(STARTUP_GROUP, "ﾚｿﾞﾙｳﾞｧ", p_.windows + "\\NRXVGCHG.EXE", "utility common");
    File(DriveRoot("NRXVGCHG.NRX"), "utility common");
    Pending(p_.system + "\\NRXCHG32.DLL=" + DriveRoot("nrxchg32.nrx"), "pending utility");
}

// Keys, files, items and pending lines of programs that are not the product's.
void Layer::Others()
{
    const std::string other = "other";
    const std::string sound = "PCI\\VEN_1102&DEV_0002&SUBSYS_00000000&REV_00\\BUS_00&DEV_0A&FUNC_00";
    const std::string keys[] = {
        "HKLM\\Software\\OtherSoft\\Viewer",
        "HKLM\\SOFTWARE\\Classes\\CLSID\\{0F1E2D3C-4B5A-6978-8796-A5B4C3D2E1F0}",
        std::string(CLASS_KEY) + "Monitor\\0001",
        std::string(CLASS_KEY) + "MEDIA\\0000",
        "HKLM\\Enum\\" + sound,
        "HKLM\\Config\\0001\\Enum\\" + sound,
        "HKCU\\Software\\NORIX\\Resolva",
        "HKCU\\Software\\OtherSoft",
    };
    for (const std::string& key : keys) {
        Key(key, other);
        Text(key, "Owner", "OtherSoft");
    }
    Key(HANDLERS_KEY + std::string("OTHERPS"), other);
    Text(HANDLERS_KEY + std::string("OTHERPS"), "", "{0F1E2D3C-4B5A-6978-8796-A5B4C3D2E1F0}");
    for (const std::string& path :
         {p_.system + "\\OTHER32.DLL", p_.windows + "\\OTHER.INI", p_.inf + "\\OTHER.INF", DriveRoot("README.TXT"),
          DriveRoot("OTHERAPP\\OLD.TMP"), DriveRoot("Program Files\\OtherSoft\\VIEWER.EXE"),
          p_.windows + PROGRAMS + "\\ｱｸｾｻﾘ\\ﾒﾓ帳.LNK"})
        File(path, other);
    GroupItem("ｱｸｾｻﾘ", "ﾒﾓ帳", p_.windows + "\\NOTEPAD.EXE", other);
    Pending("NUL=" + DriveRoot("OTHERAPP\\OLD.TMP"), other);
    Pending(p_.system + "\\OTHER32.DLL=" + DriveRoot("OTHERAPP\\OTHER32.NEW"), other);
}

// Program Manager groups and items through Wine's DDE server; every group is
// made before any item is added, and the windows it opens are closed.
HDDEDATA CALLBACK NoData(UINT, UINT, HCONV, HSZ, HSZ, HDDEDATA, ULONG_PTR, ULONG_PTR)
{
    return 0;
}

bool Execute(HCONV conversation, const std::string& command)
{
    return DdeClientTransaction((LPBYTE)command.c_str(), (DWORD)command.size() + 1, conversation, NULL, CF_TEXT,
                                XTYP_EXECUTE, 10000, NULL) == (HDDEDATA)TRUE;
}

void Layer::MakeGroups()
{
    if (groups_.empty())
        return;
    DWORD instance = 0;
    if (DdeInitializeA(&instance, NoData, APPCMD_CLIENTONLY, 0) != DMLERR_NO_ERROR)
        return;
    HSZ name = DdeCreateStringHandleA(instance, "PROGMAN", CP_WINANSI);
    HCONV conversation = DdeConnect(instance, name, name, NULL);
    for (const auto& group : groups_) {
        if (!conversation || !Execute(conversation, "[CreateGroup(" + group.first + ")]"))
            continue;
        f_.groups.push_back(group.first);
        for (const auto& item : group.second) {
            char shortTarget[MAX_PATH];
            std::string target = item.second;
            if (GetShortPathNameA(target.c_str(), shortTarget, sizeof(shortTarget)))
                target = shortTarget;
            Execute(conversation, "[AddItem(" + target + "," + item.first + ")]");
        }
        testbed::CloseGroupWindows(group.first, 1);
    }
    if (conversation)
        DdeDisconnect(conversation);
    DdeFreeStringHandle(instance, name);
    DdeUninitialize(instance);
}

Footprint Layer::Run()
{
    std::vector<Install> installs = d_.installs;
    Resolve(&installs);
    for (const std::string& model : d_.present) {
        std::string node = "HKDD\\Config Manager\\Enum\\C29A" + std::to_string(1000 + (&model - &d_.present[0]));
        Text(node, "HardWareKey",
             ModelOf(model).hardwareId + std::string("&SUBSYS_00000000&REV_00\\BUS_01&DEV_00&FUNC_00"));
    }
    Text("HKLM\\Config\\0001\\Display\\Settings", "BitsPerPixel", "16");
    Text("HKLM\\Config\\0001\\Display\\Settings", "Resolution", "1024,768");
    const Install* lastLcd = NULL;
    for (const Install& install : installs)
        if (install.kind == DRIVER && ModelOf(install.model).code == 5)
            lastLcd = &install;
    for (const Install& install : installs) {
        if (install.kind == DRIVER) {
            Driver(install, &install == lastLcd);
            WritePrivateProfileStringA("boot.description", "display.drv", ("NORIX " + install.model).c_str(),
                                       (p_.windows + "\\SYSTEM.INI").c_str());
        } else
            Utility(install);
        File(p_.system + "\\NRXCHG16.DLL", "shared dll");
        File(p_.system + "\\NRXCHG32.DLL", "shared dll");
        File(DriveRoot("NRXCHG16.NRX"), "shared nrx");
        File(DriveRoot("NRXCHG32.NRX"), "shared nrx");
    }
    for (const char* folder : {"Program Files\\NORIX\\BACKUP\\DRIVER", "Program Files\\NORIX\\BACKUP\\UTILITY",
                               "Program Files\\NORIX\\BACKUP", "Program Files\\NORIX"})
        if (testfiles::Exists(DriveRoot(folder)))
            AddItem(Item::FOLDER_IF_EMPTY, DriveRoot(folder), "", "norix folders");
    if (d_.others)
        Others();
    if (!pendingText_.empty()) {
        std::string pendingFile = p_.windows + "\\wininit.ini";
        bool found = false;
        std::string bytes = testfiles::Read(pendingFile, &found);
        if (!found)
            bytes = "[rename]\r\n";
        else if (!bytes.empty() && bytes.back() != '\n')
            bytes += "\r\n";
        testfiles::Write(pendingFile, bytes + pendingText_);
    }
    MakeGroups();
    return f_;
}

}  // namespace

std::vector<std::string> ModelNames()
{
    std::vector<std::string> names;
    for (const Model& model : MODELS)
        names.push_back(model.name);
    return names;
}

std::vector<std::string> UsualFiles(Kind kind, const std::string& name)
{
    if (kind == UTILITY)
        return {"NRXVGCHG.HLP", "NRXVGCHG.CNT", "NRXVGCHG.INI"};
    const Model& model = ModelOf(name);
    std::string stem = model.stem;
    std::vector<std::string> files = {stem + ".DRV", stem + ".VXD", stem + ".INF", "NRXUTL.DLL", "NRXUTL.CPD"};
    if (model.code == 5)
        files.push_back("PNLPROP.DLL");
    if (model.code >= 11)
        files.push_back("NRXD3D.DLL");
    return files;
}

Places MachinePlaces()
{
    Places places;
    char path[MAX_PATH] = "";
    GetWindowsDirectoryA(path, sizeof(path));
    places.windows = path;
    places.inf = places.windows + "\\INF";
    places.driveRoot = places.windows.substr(0, 3);
    GetSystemDirectoryA(path, sizeof(path));
    places.system = path;
    path[0] = '\0';
    SHGetSpecialFolderPathA(NULL, path, CSIDL_PROGRAMS, FALSE);
    places.programs = path;
    return places;
}

Footprint Lay(const Description& description, const Places& places)
{
    return Layer(description, places).Run();
}

}  // namespace footprint
