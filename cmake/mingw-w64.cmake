# Cross build for 64-bit Windows with Debian's mingw-w64 (posix threads, so
# std::thread and std::mutex work), run under Wine for the tests:
#
#   cmake -S . -B build-windows -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(triple x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${triple}-g++-posix)
set(CMAKE_RC_COMPILER ${triple}-windres)

# Libraries and headers of the target only; programs of the build machine.
set(CMAKE_FIND_ROOT_PATH /usr/${triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Every program one file that needs no DLL beside it: the C++ runtime,
# winpthreads and zlib linked in; only system DLLs are imported.
set(CMAKE_EXE_LINKER_FLAGS_INIT -static)

# add_test and gtest_discover_tests run the programs through Wine.
find_program(KELVO_WINE wine REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR ${KELVO_WINE})
# Static libraries only (libz.a, not the import library of zlib1.dll).
set(CMAKE_FIND_LIBRARY_SUFFIXES .a)
