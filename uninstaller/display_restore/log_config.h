// The binary logical configuration values (ForcedConfig and LogConfig\0)
// that tell the Windows 95 Configuration Manager which I/O ports and memory
// windows a root-enumerated device uses.
#ifndef DISPLAY_RESTORE_LOG_CONFIG_H
#define DISPLAY_RESTORE_LOG_CONFIG_H

#include <windows.h>

enum LogConfForm {
    LOGCONF_FORCED,       // the resources assigned to the device
    LOGCONF_REQUIREMENT   // the resources the device asks for
};

enum ResourceType {
    RESOURCE_MEMORY = 1,
    RESOURCE_IO = 2
};

// One allowed placement: ports for I/O, bytes for memory; the end is inclusive.
struct ResourceAlternative {
    DWORD alignmentMask;
    DWORD length;
    DWORD lowestBase;
    DWORD highestEnd;
};

// A resource with its alternatives; the first one is the assigned range.
struct Resource {
    ResourceType type;
    int alternativeCount;
    const ResourceAlternative* alternatives;
};

struct ResourceList {
    int count;
    const Resource* resources;
};

// Large enough for both forms of every list this program writes (740 bytes
// for the largest).
const DWORD LOGCONF_VALUE_MAX = 1024;

// Lays out `form` of `list` into `value`; returns the number of bytes, or 0
// when the value would not fit `capacity`.
DWORD BuildLogConfValue(LogConfForm form, const ResourceList& list, BYTE* value, DWORD capacity);

#endif
