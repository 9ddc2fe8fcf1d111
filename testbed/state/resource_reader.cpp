// Reads a built program's resources as a test sees them.
#include "resource_reader.h"

namespace resources {

HMODULE LoadProgramData(const std::string& path)
{
    return LoadLibraryExA(path.c_str(), NULL, LOAD_LIBRARY_AS_DATAFILE);
}

std::string String(HMODULE module, UINT id, bool* found)
{
    char text[1024];
    int length = LoadStringA(module, id, text, sizeof(text));
    if (found)
        *found = length > 0;
    return std::string(text, length > 0 ? length : 0);
}

static std::string ToCodePage932(const WCHAR* text, int length)
{
    char converted[1024];
    int size = WideCharToMultiByte(932, 0, text, length, converted, sizeof(converted), NULL, NULL);
    return std::string(converted, size > 0 ? size : 0);
}

// A name-or-ordinal field of a template: advances `p` past it.
static std::string ReadNameOrOrdinal(const WORD** p)
{
    if (**p == 0) {
        ++*p;
        return "";
    }
    if (**p == 0xFFFF) {
        WORD ordinal = (*p)[1];
        *p += 2;
        return "#" + std::to_string(ordinal);
    }
    const WCHAR* text = (const WCHAR*)*p;
    int length = lstrlenW(text);
    *p += length + 1;
    return ToCodePage932(text, length);
}

static std::string PredefinedClass(const std::string& name)
{
    static const char* const classes[] = {"Button", "Edit", "Static", "ListBox", "ScrollBar", "ComboBox"};
    if (name.size() > 1 && name[0] == '#') {
        int atom = std::stoi(name.substr(1));
        if (atom >= 0x80 && atom <= 0x85)
            return classes[atom - 0x80];
    }
    // Class names are case-insensitive; a template may spell them either way.
    for (const char* known : classes)
        if (lstrcmpiA(name.c_str(), known) == 0)
            return known;
    return name;
}

static const WORD* AlignToDword(const WORD* p)
{
    return (const WORD*)(((ULONG_PTR)p + 3) & ~(ULONG_PTR)3);
}

Dialog ReadDialog(HMODULE module, int id)
{
    Dialog dialog;
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id), (LPCSTR)RT_DIALOG);
    if (!found)
        return dialog;
    const DLGTEMPLATE* header = (const DLGTEMPLATE*)LockResource(LoadResource(module, found));
    if (!header || HIWORD(header->style) == 0xFFFF)  // extended templates are not ours
        return dialog;
    dialog.found = true;
    dialog.style = header->style;
    dialog.width = header->cx;
    dialog.height = header->cy;
    const WORD* p = (const WORD*)(header + 1);
    ReadNameOrOrdinal(&p);  // menu
    ReadNameOrOrdinal(&p);  // class
    dialog.caption = ReadNameOrOrdinal(&p);
    if (header->style & DS_SETFONT) {
        dialog.fontSize = *p++;
        dialog.font = ReadNameOrOrdinal(&p);
    }
    for (int i = 0; i < header->cdit; ++i) {
        p = AlignToDword(p);
        const DLGITEMTEMPLATE* item = (const DLGITEMTEMPLATE*)p;
        p = (const WORD*)(item + 1);
        DialogControl control;
        control.id = (short)item->id;
        control.style = item->style;
        control.x = item->x;
        control.y = item->y;
        control.width = item->cx;
        control.height = item->cy;
        control.className = PredefinedClass(ReadNameOrOrdinal(&p));
        control.text = ReadNameOrOrdinal(&p);
        WORD extra = *p++;
        p = (const WORD*)((const BYTE*)p + extra);
        dialog.controls.push_back(control);
    }
    return dialog;
}

const DialogControl* Dialog::Control(int id) const
{
    for (const DialogControl& control : controls)
        if (control.id == id)
            return &control;
    return NULL;
}

const DialogControl* Dialog::ControlWithText(const std::string& text) const
{
    for (const DialogControl& control : controls)
        if (control.text == text)
            return &control;
    return NULL;
}

// Version resource 1 as VerQueryValueA reads it (it wants a writable copy).
static std::vector<BYTE> VersionData(HMODULE module)
{
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(1), (LPCSTR)RT_VERSION);
    const BYTE* data = found ? (const BYTE*)LockResource(LoadResource(module, found)) : NULL;
    return data ? std::vector<BYTE>(data, data + SizeofResource(module, found)) : std::vector<BYTE>();
}

std::string VersionText(HMODULE module, const std::string& name)
{
    std::vector<BYTE> data = VersionData(module);
    WORD* translation = NULL;
    UINT length = 0;
    if (data.empty() ||
        !VerQueryValueA(data.data(), "\\VarFileInfo\\Translation", (void**)&translation, &length) ||
        length < 4)
        return "(missing)";
    char path[128];
    wsprintfA(path, "\\StringFileInfo\\%04x%04x\\%s", translation[0], translation[1], name.c_str());
    char* text = NULL;
    if (!VerQueryValueA(data.data(), path, (void**)&text, &length) || !text)
        return "(missing)";
    return std::string(text, lstrlenA(text));
}

unsigned long long FixedFileVersion(HMODULE module)
{
    std::vector<BYTE> data = VersionData(module);
    VS_FIXEDFILEINFO* fixed = NULL;
    UINT length = 0;
    if (data.empty() || !VerQueryValueA(data.data(), "\\", (void**)&fixed, &length) || !fixed)
        return 0;
    return ((unsigned long long)fixed->dwFileVersionMS << 32) | fixed->dwFileVersionLS;
}

static BOOL CALLBACK CollectGroup(HMODULE, LPCSTR, LPSTR name, LONG_PTR groups)
{
    if (IS_INTRESOURCE(name))
        ((std::vector<int>*)groups)->push_back((int)(ULONG_PTR)name);
    return TRUE;
}

std::vector<int> IconGroups(HMODULE module)
{
    std::vector<int> groups;
    EnumResourceNamesA(module, (LPCSTR)RT_GROUP_ICON, CollectGroup, (LONG_PTR)&groups);
    return groups;
}

std::vector<int> IconSizes(HMODULE module, int id)
{
    std::vector<int> sizes;
    HRSRC group = FindResourceA(module, MAKEINTRESOURCEA(id), (LPCSTR)RT_GROUP_ICON);
    const BYTE* directory = group ? (const BYTE*)LockResource(LoadResource(module, group)) : NULL;
    if (!directory)
        return sizes;
    int count = *(const WORD*)(directory + 4);
    for (int i = 0; i < count; ++i)
        sizes.push_back(directory[6 + 14 * i]);  // width of each 14-byte entry
    return sizes;
}

}  // namespace resources
