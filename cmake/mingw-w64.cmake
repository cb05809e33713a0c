# Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
# Cross build for 64-bit Windows with the MinGW-w64 toolchain (posix threads), its tests run
# under Wine:
#   cmake -S . -B build-win -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake
#   cmake --build build-win -j2 && (cd build-win && ctest -L 'unit|gateway')
# The build leaves out the Octave modules and the benchmarks (nothing here runs them) and
# builds GoogleTest from its sources, since the installed one is a Linux library.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(SPARSEMEX_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${SPARSEMEX_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${SPARSEMEX_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${SPARSEMEX_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${SPARSEMEX_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The runtime is linked in statically, so that the modules and the test programs need no
# MinGW DLL beside them, under Wine or on a user's machine.
foreach(kind EXE SHARED MODULE)
  set(CMAKE_${kind}_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
endforeach()

# ctest runs the test programs under Wine (cmake/wine-run.sh says how).
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine-run.sh)
