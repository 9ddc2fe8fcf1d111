// The memory functions that GCC may call on its own for large copies and
// zero-fills, written once here because the shipped images link no C runtime.
// String instructions keep the compiler from turning the loops back into
// calls to themselves.
#include <stddef.h>

extern "C" void* memset(void* target, int value, size_t count)
{
    void* start = target;
    __asm__ volatile("rep stosb" : "+D"(target), "+c"(count) : "a"(value) : "memory");
    return start;
}

extern "C" void* memcpy(void* target, const void* source, size_t count)
{
    void* start = target;
    __asm__ volatile("rep movsb" : "+D"(target), "+S"(source), "+c"(count) : : "memory");
    return start;
}

extern "C" void* memmove(void* target, const void* source, size_t count)
{
    char* to = (char*)target;
    const char* from = (const char*)source;
    if (to <= from || to >= from + count)
        return memcpy(target, source, count);
    // Overlapping with the target above the source: copy from the end down.
    to += count - 1;
    from += count - 1;
    __asm__ volatile("std\n\trep movsb\n\tcld" : "+D"(to), "+S"(from), "+c"(count) : : "memory");
    return target;
}
