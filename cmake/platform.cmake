# Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
# What the platform's toolchain allows, beyond the compiler flags.
#
# SPARSEMEX_ELF_LINKER: the modules are ELF objects, linked by GNU ld, gold or lld, which take
#   a version script, --no-undefined and -Bsymbolic. Mach-O and PE linkers take none of them.
# SPARSEMEX_FOREIGN_RUNTIME: the programs cannot use the libraries installed for the build
#   machine's own C++ runtime (a cross build, or a build against libc++ where the system's
#   runtime is libstdc++), so the prebuilt GoogleTest, Google Benchmark and Octave are out of
#   reach.

if(WIN32 OR APPLE)
  set(SPARSEMEX_ELF_LINKER OFF)
else()
  set(SPARSEMEX_ELF_LINKER ON)
endif()

include(CheckCXXSourceCompiles)
check_cxx_source_compiles("#include <cstddef>
#ifndef _LIBCPP_VERSION
#error libstdc++
#endif
int main() { return 0; }" SPARSEMEX_LIBCXX)

if(CMAKE_CROSSCOMPILING OR (SPARSEMEX_LIBCXX AND NOT APPLE))
  set(SPARSEMEX_FOREIGN_RUNTIME ON)
else()
  set(SPARSEMEX_FOREIGN_RUNTIME OFF)
endif()

if(WIN32)
  set(SPARSEMEX_EMBEDDED_SUFFIX .dll)
else()
  set(SPARSEMEX_EMBEDDED_SUFFIX .so)
endif()

if(WIN32)
  # Test programs beside the host DLL that they and the modules load.
  set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
endif()
