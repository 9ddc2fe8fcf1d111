// Explorer windows of Program Manager groups.
#include "group_windows.h"
#include "driver.h"

namespace testbed {

struct WindowSearch {
    std::string title;
    std::vector<HWND> found;
};

static BOOL CALLBACK CollectGroupWindow(HWND window, LPARAM parameter)
{
    WindowSearch* search = (WindowSearch*)parameter;
    char className[64];
    GetClassNameA(window, className, sizeof(className));
    if (lstrcmpA(className, "ExplorerWClass") == 0 &&
        (search->title.empty() || driver::WindowText(window) == search->title))
        search->found.push_back(window);
    return TRUE;
}

std::vector<HWND> GroupWindows(const std::string& group)
{
    WindowSearch search = {group, {}};
    EnumWindows(CollectGroupWindow, (LPARAM)&search);
    return search.found;
}

bool CloseGroupWindows(const std::string& group, size_t count)
{
    bool came = driver::WaitFor([&] { return GroupWindows(group).size() >= count; });
    for (HWND window : GroupWindows(group))
        PostMessageA(window, WM_CLOSE, 0, 0);
    return driver::WaitFor([&] { return GroupWindows(group).empty(); }) && came;
}

bool CloseEveryGroupWindow()
{
    for (HWND window : GroupWindows(""))
        PostMessageA(window, WM_CLOSE, 0, 0);
    return driver::WaitFor([] { return GroupWindows("").empty(); });
}

}  // namespace testbed
