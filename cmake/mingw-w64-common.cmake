# What the two MinGW-w64 toolchain files share; each sets CMAKE_SYSTEM_PROCESSOR and
# MINGW_TRIPLET first and then includes this file:
#
#   cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake
#   cmake -S . -B build-windows-x86 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-i686.cmake
#
# Debian's posix-thread variant of the compilers. Everything is linked statically (libstdc++,
# libgcc, winpthread), so an .exe needs no DLL beyond those every Windows has. Programs that CMake
# or CTest runs are started through tools/wine-run.sh, under Wine, in a Wine prefix of the build
# directory's own (wineprefix/).
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER ${MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${MINGW_TRIPLET}-windres)

# Headers and libraries of the target only; programs (cmake's own helpers) of the build machine.
set(CMAKE_FIND_ROOT_PATH /usr/${MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT -static)
set(CMAKE_SHARED_LINKER_FLAGS_INIT -static)
set(CMAKE_MODULE_LINKER_FLAGS_INIT -static)

get_filename_component(ROOTS_DRILL_SOURCE_ROOT ${CMAKE_CURRENT_LIST_DIR} DIRECTORY)
set(CMAKE_CROSSCOMPILING_EMULATOR
    ${ROOTS_DRILL_SOURCE_ROOT}/tools/wine-run.sh --prefix ${CMAKE_BINARY_DIR}/wineprefix)
