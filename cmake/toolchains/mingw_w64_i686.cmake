# 32-bit Windows (x86) with Debian's mingw-w64.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(LVC_MINGW_TRIPLE i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw_w64_common.cmake)
