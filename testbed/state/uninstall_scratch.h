// The machine the uninstaller's in-process runs work on: the scratch drive
// S: with its Windows directory, the scratch registry roots, and the
// uninstaller's state as its relocated copy has it when it starts.
#ifndef TESTBED_UNINSTALL_SCRATCH_H
#define TESTBED_UNINSTALL_SCRATCH_H

#include "scratch_files.h"
#include "scratch_registry.h"
#include "uninstaller_state.h"

namespace uninstall_scratch {

const char DRIVE[] = "S:\\";
const char WINDOWS[] = "S:\\WINDOWS";
const char SYSTEM[] = "S:\\WINDOWS\\SYSTEM";
const char INF[] = "S:\\WINDOWS\\INF";

// An empty drive S: and empty scratch roots.
inline void Empty()
{
    for (const testfiles::FileEntry& entry : testfiles::DumpFiles(DRIVE))
        if (!testfiles::SamePath(entry.path, DRIVE))
            testfiles::Remove(entry.path);
    for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER, HKEY_DYN_DATA}) {
        char name[256];
        while (RegEnumKeyA(root, 0, name, sizeof(name)) == ERROR_SUCCESS) {
            testreg::DeleteTree(root, name);
            if (testreg::KeyExists(root, name))
                break;
        }
    }
}

// Nothing known yet but the directories, and a restart still to come.
inline void StartAsRelocatedCopy()
{
    ZeroMemory(&Uninstaller, sizeof(Uninstaller));
    Uninstaller.restartNeeded = 1;
    Uninstaller.instance = GetModuleHandleA(NULL);
    lstrcpyA(Uninstaller.windowsDirectory, WINDOWS);
    lstrcpyA(Uninstaller.systemDirectory, SYSTEM);
    lstrcpyA(Uninstaller.infDirectory, INF);
}

}  // namespace uninstall_scratch

#endif
