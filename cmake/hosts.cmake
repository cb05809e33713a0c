# Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
# Finds the hosts that modules can be built for, besides the embedded one.
#
# Octave: a module is a shared library with the suffix .mex, compiled against Octave's mex.h
# and left with its MEX symbols undefined (Octave provides them when it loads the module).
# The include directories come from mkoctfile itself.

set(SPARSEMEX_HAVE_OCTAVE OFF)
if(SPARSEMEX_OCTAVE AND SPARSEMEX_FOREIGN_RUNTIME)
  message(STATUS "Octave modules: off (Octave runs on another platform or C++ runtime)")
elseif(SPARSEMEX_OCTAVE)
  find_program(MKOCTFILE_EXECUTABLE mkoctfile)
  find_program(OCTAVE_CLI_EXECUTABLE octave-cli)
  if(MKOCTFILE_EXECUTABLE)
    execute_process(COMMAND ${MKOCTFILE_EXECUTABLE} -p INCFLAGS
                    OUTPUT_VARIABLE octave_incflags OUTPUT_STRIP_TRAILING_WHITESPACE
                    RESULT_VARIABLE octave_result)
    if(octave_result EQUAL 0)
      separate_arguments(octave_incflags UNIX_COMMAND "${octave_incflags}")
      set(SPARSEMEX_OCTAVE_INCLUDES "")
      foreach(flag IN LISTS octave_incflags)
        string(REGEX REPLACE "^-I" "" directory "${flag}")
        list(APPEND SPARSEMEX_OCTAVE_INCLUDES "${directory}")
      endforeach()
      # Where a module cannot leave Octave's symbols undefined (Windows, macOS), it links
      # against Octave's libraries, as mkoctfile does there.
      execute_process(COMMAND ${MKOCTFILE_EXECUTABLE} -p LDFLAGS
                      OUTPUT_VARIABLE octave_ldflags OUTPUT_STRIP_TRAILING_WHITESPACE)
      execute_process(COMMAND ${MKOCTFILE_EXECUTABLE} -p OCTAVE_LIBS
                      OUTPUT_VARIABLE octave_libs OUTPUT_STRIP_TRAILING_WHITESPACE)
      separate_arguments(SPARSEMEX_OCTAVE_LIBS NATIVE_COMMAND "${octave_ldflags} ${octave_libs}")
      set(SPARSEMEX_HAVE_OCTAVE ON)
      message(STATUS "Octave modules: on (${MKOCTFILE_EXECUTABLE})")
    endif()
  endif()
  if(NOT SPARSEMEX_HAVE_OCTAVE)
    message(STATUS "Octave modules: off (mkoctfile not found)")
  endif()
endif()

set(SPARSEMEX_HAVE_MATLAB OFF)
if(SPARSEMEX_MATLAB)
  find_package(Matlab QUIET COMPONENTS MX_LIBRARY)
  if(Matlab_FOUND)
    set(SPARSEMEX_HAVE_MATLAB ON)
    message(STATUS "MATLAB modules: on (${Matlab_ROOT_DIR})")
  else()
    message(STATUS "MATLAB modules: off (no MATLAB found)")
  endif()
endif()
