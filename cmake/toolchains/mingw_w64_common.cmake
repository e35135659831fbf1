# Shared part of the mingw-w64 cross toolchains: Debian's compilers with the posix thread
# model (std::thread and std::mutex need it), libraries for the target only, and Wine
# to run the programs that the build and ctest start.
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER ${LVC_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${LVC_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${LVC_MINGW_TRIPLE}-windres)
set(CMAKE_OBJDUMP ${LVC_MINGW_TRIPLE}-objdump)

set(CMAKE_FIND_ROOT_PATH /usr/${LVC_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The C and C++ runtimes and winpthread go into every binary, so a DLL needs nothing
# beside it but the system's own libraries.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

get_filename_component(LVC_WINE_RUN ${CMAKE_CURRENT_LIST_DIR}/../../scripts/wine-run.sh ABSOLUTE)
set(CMAKE_CROSSCOMPILING_EMULATOR ${LVC_WINE_RUN})
