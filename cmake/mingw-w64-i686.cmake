# Cross-builds the Windows program for 32-bit Windows on Linux with MinGW-w64 (and runs its tests
# under Wine's 32-bit half, Debian's wine32 from the i386 architecture):
#
#   cmake -S . -B build-windows-x86 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-i686.cmake
#
# The rest is the same for both architectures: cmake/mingw-w64-common.cmake.
set(CMAKE_SYSTEM_PROCESSOR x86)
set(MINGW_TRIPLET i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
