// The explorer windows that Wine opens on a Program Manager group folder for
// every CreateGroup and ShowGroup: found by the group's name and closed, so
// that they neither stay on the desktop nor outlive the group.
#ifndef TESTBED_GROUP_WINDOWS_H
#define TESTBED_GROUP_WINDOWS_H

#include <windows.h>

#include <string>
#include <vector>

namespace testbed {

// Explorer windows titled `group`; every one for an empty name.
std::vector<HWND> GroupWindows(const std::string& group);
// Waits until `count` such windows are open (each comes from an explorer
// process of its own), then closes them all; false when they did not all
// come or go in time.
bool CloseGroupWindows(const std::string& group, size_t count);
// Closes every one there is, whatever its group.
bool CloseEveryGroupWindow();

}  // namespace testbed

#endif
