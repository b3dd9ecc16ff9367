# Cross build for 64-bit Windows with MinGW-w64. The POSIX-thread compilers are
# used because the win32-thread ones have no std::mutex or std::thread.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(SWATCHBOX_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${SWATCHBOX_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${SWATCHBOX_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${SWATCHBOX_MINGW_TRIPLE}-windres)
set(CMAKE_AR ${SWATCHBOX_MINGW_TRIPLE}-gcc-ar-posix CACHE FILEPATH "Archiver")
set(CMAKE_RANLIB ${SWATCHBOX_MINGW_TRIPLE}-gcc-ranlib-posix CACHE FILEPATH "Ranlib")

# Look for headers and libraries only in the MinGW sysroot, never in the
# host's /usr/include or /usr/lib; programs (generators, tools) come from the host.
set(CMAKE_FIND_ROOT_PATH /usr/${SWATCHBOX_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Static runtime: the .exe needs no MinGW DLLs beside it.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# Test executables run under Wine through a wrapper that keeps one wineserver alive.
get_filename_component(SWATCHBOX_WINE_RUN "${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run" ABSOLUTE)
set(CMAKE_CROSSCOMPILING_EMULATOR "${SWATCHBOX_WINE_RUN}")
