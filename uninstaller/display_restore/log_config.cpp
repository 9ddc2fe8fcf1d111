// Builds the registry form of a logical configuration from a resource list.
#include "log_config.h"

static const DWORD LOGCONF_VERSION = 0x00000400;
static const DWORD PRIORITY_FORCED = 0x00000000;
static const DWORD PRIORITY_HARDWIRED = 0x0000E000;

// The two descriptor kinds differ only in sizes and in the last four bytes
// of the assigned range and of every entry: flags, alias and decode (3) for
// I/O, flags and a reserved word for memory, read as one little-endian number.
struct DescriptorLayout {
    DWORD headerSize;   // record length, type and the assigned range
    DWORD entrySize;
    DWORD numberSize;   // of a port or address
    DWORD tail;
};
static const DescriptorLayout IO_LAYOUT = {20, 12, 2, 0x03000000};
static const DescriptorLayout MEMORY_LAYOUT = {24, 20, 4, 0};

// Appends little-endian integers to a bounded value; a write past the end
// marks the value as not fitting instead of going further.
struct ValueWriter {
    BYTE* data;
    DWORD capacity;
    DWORD size;
    bool overflow;
};

static void Put(ValueWriter* writer, DWORD number, DWORD byteCount)
{
    if (writer->overflow || byteCount > writer->capacity - writer->size) {
        writer->overflow = true;
        return;
    }
    for (DWORD i = 0; i < byteCount; ++i)
        writer->data[writer->size++] = (BYTE)(number >> (8 * i));
}

static void PutResource(ValueWriter* writer, LogConfForm form, const Resource& resource)
{
    const DescriptorLayout& layout = resource.type == RESOURCE_IO ? IO_LAYOUT : MEMORY_LAYOUT;
    const int n = resource.alternativeCount;
    const bool assigned = form == LOGCONF_FORCED && n > 0;
    Put(writer, layout.headerSize + layout.entrySize * n, 4);
    Put(writer, resource.type, 4);
    Put(writer, n, 2);
    Put(writer, layout.entrySize, 2);
    Put(writer, assigned ? resource.alternatives[0].lowestBase : 0, layout.numberSize);
    Put(writer, assigned ? resource.alternatives[0].highestEnd : 0, layout.numberSize);
    Put(writer, assigned ? layout.tail : 0, 4);
    for (int k = 0; k < n; ++k) {
        const ResourceAlternative& range = resource.alternatives[k];
        Put(writer, range.alignmentMask, layout.numberSize);
        Put(writer, range.length, layout.numberSize);
        Put(writer, range.lowestBase, layout.numberSize);
        Put(writer, range.highestEnd, layout.numberSize);
        Put(writer, layout.tail, 4);
    }
}

DWORD BuildLogConfValue(LogConfForm form, const ResourceList& list, BYTE* value, DWORD capacity)
{
    ValueWriter writer = {value, capacity, 0, false};
    Put(&writer, LOGCONF_VERSION, 4);
    Put(&writer, form == LOGCONF_FORCED ? PRIORITY_FORCED : PRIORITY_HARDWIRED, 4);
    for (int i = 0; i < list.count; ++i)
        PutResource(&writer, form, list.resources[i]);
    Put(&writer, 0, 4);                             // terminator
    return writer.overflow ? 0 : writer.size;
}
