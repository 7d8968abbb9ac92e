# Cross build for 64-bit Windows with Debian's mingw-w64 (posix threads), for
# the layers without Qt: model/, files/, cli/ and platform/win32/.
#
#   cmake -S . -B build-win -G Ninja \
#     -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw64.cmake \
#     -DKEYLOOM_BUILD_GUI=OFF -DKEYLOOM_BUILD_BENCH=OFF
#
# Executables link statically, so they run under Wine (and on a bare Windows
# machine) without the MinGW runtime DLLs. Tests run through Wine: ctest
# starts them with CMAKE_CROSSCOMPILING_EMULATOR, which uses a Wine prefix of
# its own inside the build folder and keeps Wine's debug output quiet.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(KEYLOOM_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${KEYLOOM_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${KEYLOOM_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${KEYLOOM_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${KEYLOOM_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# Debian's wine64 package keeps its launcher off PATH.
find_program(KEYLOOM_WINE64 NAMES wine64
  PATHS /usr/lib/wine /usr/lib/x86_64-linux-gnu/wine /usr/lib64/wine
  NO_CMAKE_FIND_ROOT_PATH)
if(KEYLOOM_WINE64)
  set(KEYLOOM_WINEPREFIX "${CMAKE_BINARY_DIR}/wineprefix" CACHE PATH
    "Wine prefix the cross-built tests run in")
  set(CMAKE_CROSSCOMPILING_EMULATOR
    /usr/bin/env WINEPREFIX=${KEYLOOM_WINEPREFIX} WINEDEBUG=-all WINEDLLOVERRIDES=mscoree,mshtml=
    ${KEYLOOM_WINE64})
endif()
