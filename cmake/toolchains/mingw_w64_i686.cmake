# 32-bit Windows (x86) with Debian's mingw-w64.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(LVC_MINGW_TRIPLE i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw_w64_common.cmake)

# stdcall exports (the FWC_ and FWT_ calls) are decorated "Name@n" on x86; hosts look
# them up undecorated, so each also gets its plain name. The import libraries keep the
# decorated names the compiler refers to.
string(APPEND CMAKE_SHARED_LINKER_FLAGS_INIT " -Wl,--add-stdcall-alias")
