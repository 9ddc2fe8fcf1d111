// The USER objects of the calling process that no other process can see:
// Wine answers only the owner's own calls about its menus and icons. A
// handle whose high word is 0 stands for its slot whatever its generation.
#include "process_census.h"

namespace census {

// USER handles are the even values from 0x20 up to 0xFFFE.
template <typename Alive>
static int CountUserHandles(Alive alive)
{
    int count = 0;
    for (UINT_PTR handle = 0x20; handle < 0x10000; handle += 2)
        if (alive(handle))
            ++count;
    return count;
}

int MenusHere()
{
    return CountUserHandles([](UINT_PTR handle) { return IsMenu((HMENU)handle) != FALSE; });
}

int IconsHere()
{
    return CountUserHandles([](UINT_PTR handle) {
        ICONINFO info;
        if (!GetIconInfo((HICON)handle, &info))
            return false;
        // The answer holds copies of its bitmaps.
        if (info.hbmMask)
            DeleteObject(info.hbmMask);
        if (info.hbmColor)
            DeleteObject(info.hbmColor);
        return true;
    });
}

void ResultName(DWORD processId, char (&name)[RESULT_NAME_SIZE])
{
    wsprintfA(name, "NrxCensus%lu", processId);
}

}  // namespace census
