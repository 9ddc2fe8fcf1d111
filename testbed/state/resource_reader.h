// Reads a built program's resources as a test sees them: strings through
// LoadStringA, dialog templates parsed, every text in code page 932.
#ifndef TESTBED_RESOURCE_READER_H
#define TESTBED_RESOURCE_READER_H

#include <windows.h>

#include <string>
#include <vector>

namespace resources {

struct DialogControl {
    int id;
    std::string className;  // "Button", "Static", ... or the class name given
    std::string text;       // "#<n>" for a resource ordinal
    int x, y, width, height;
    DWORD style;
};

struct Dialog {
    bool found = false;
    DWORD style = 0;
    int width = 0, height = 0;
    std::string caption;
    int fontSize = 0;
    std::string font;
    std::vector<DialogControl> controls;
    const DialogControl* Control(int id) const;
    const DialogControl* ControlWithText(const std::string& text) const;
};

// The program loaded as data only: nothing of it runs.
HMODULE LoadProgramData(const std::string& path);
std::string String(HMODULE module, UINT id, bool* found = NULL);
Dialog ReadDialog(HMODULE module, int id);
// A text of version resource 1 from its first language block ("(missing)"
// when there is none), and its file version (major, minor, build, private as
// four 16-bit parts, highest first).
std::string VersionText(HMODULE module, const std::string& name);
unsigned long long FixedFileVersion(HMODULE module);
// The ids of the icon groups, and the image sizes in group `id`, in order.
std::vector<int> IconGroups(HMODULE module);
std::vector<int> IconSizes(HMODULE module, int id);

}  // namespace resources

#endif
