# Cross build for 64-bit Windows with Debian's mingw-w64 (posix threads):
#   cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake \
#         -DLUCH_WINDOWS_DEPS=/abs/prefix/of/gtest/cli11/json -DLUCH_BUILD_UI=OFF
# scripts/windows-build does all of this. The programs are linked statically so
# that the .exe files run on a bare Windows (or under wine) without any DLL of
# the compiler beside them.

set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(LUCH_MINGW_TRIPLET x86_64-w64-mingw32)
find_program(CMAKE_C_COMPILER NAMES ${LUCH_MINGW_TRIPLET}-gcc-posix REQUIRED)
find_program(CMAKE_CXX_COMPILER NAMES ${LUCH_MINGW_TRIPLET}-g++-posix REQUIRED)
find_program(CMAKE_RC_COMPILER NAMES ${LUCH_MINGW_TRIPLET}-windres)

# Libraries and headers come from the mingw sysroot and from the prefix of the
# cross-built dependencies only, never from the host's /usr.
set(LUCH_WINDOWS_DEPS "" CACHE PATH "Prefix holding the cross-built GoogleTest and the headers")
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES LUCH_WINDOWS_DEPS)
set(CMAKE_FIND_ROOT_PATH /usr/${LUCH_MINGW_TRIPLET})
if(LUCH_WINDOWS_DEPS)
  list(APPEND CMAKE_FIND_ROOT_PATH ${LUCH_WINDOWS_DEPS})
endif()
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# Test executables are listed when ctest runs, not at build time, so that the
# build itself needs no Windows emulator.
set(CMAKE_GTEST_DISCOVER_TESTS_DISCOVERY_MODE PRE_TEST)
