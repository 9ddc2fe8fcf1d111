# 64-bit Windows (x86_64): the same sources for the tests and the demo on a
# host that runs no 32-bit code; never shipped.
set(MINGW_PROCESSOR x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
