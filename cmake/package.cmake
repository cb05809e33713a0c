# Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
# The package files: Contents.m and sparsemex_version.m beside the built modules, and the
# Octave package, `cmake --build build --target octave-package`, which makes
# build/sparsemex-<version>.tar.gz for `pkg install`.
#
# The version has one source, toolbox/sparsemex_version.m.

file(STRINGS ${PROJECT_SOURCE_DIR}/toolbox/sparsemex_version.m version_line
     REGEX "^version = '[0-9.]+';$")
string(REGEX MATCH "[0-9]+\\.[0-9]+\\.[0-9]+" SPARSEMEX_VERSION "${version_line}")
if(NOT SPARSEMEX_VERSION)
  message(FATAL_ERROR "no version found in toolbox/sparsemex_version.m")
endif()
set(SPARSEMEX_PACKAGE ${CMAKE_BINARY_DIR}/sparsemex-${SPARSEMEX_VERSION}.tar.gz)

file(GLOB toolbox_files CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/toolbox/*.m)
set(toolbox_copies "")
foreach(host IN ITEMS octave matlab)
  string(TOUPPER ${host} HOST)
  if(SPARSEMEX_HAVE_${HOST})
    foreach(file IN LISTS toolbox_files)
      get_filename_component(name ${file} NAME)
      set(copy ${SPARSEMEX_MODULE_DIR}/${host}/${name})
      add_custom_command(OUTPUT ${copy}
        COMMAND ${CMAKE_COMMAND} -E copy_if_different ${file} ${copy} DEPENDS ${file})
      list(APPEND toolbox_copies ${copy})
    endforeach()
  endif()
endforeach()
add_custom_target(toolbox_files ALL DEPENDS ${toolbox_copies})

add_custom_target(octave-package
  COMMAND ${CMAKE_COMMAND} -DSOURCE=${PROJECT_SOURCE_DIR} -DVERSION=${SPARSEMEX_VERSION}
          -DSTAGE=${CMAKE_BINARY_DIR}/package -DOUTPUT=${SPARSEMEX_PACKAGE}
          -P ${PROJECT_SOURCE_DIR}/cmake/make_octave_package.cmake
  COMMENT "Octave package ${SPARSEMEX_PACKAGE}"
  VERBATIM)

# add_octave_package_test(): builds the package, installs it with pkg into a temporary
# prefix and runs the modules and the examples from there.
function(add_octave_package_test)
  add_test(NAME octave.package.make
           COMMAND ${CMAKE_COMMAND} --build ${CMAKE_BINARY_DIR} --target octave-package)
  set_tests_properties(octave.package.make PROPERTIES LABELS octave FIXTURES_SETUP package)
  add_octave_test(octave.package.install
    "check_octave_package('${SPARSEMEX_PACKAGE}', '${CMAKE_CURRENT_BINARY_DIR}/package_install', '${PROJECT_SOURCE_DIR}')")
  set_tests_properties(octave.package.install PROPERTIES FIXTURES_REQUIRED package
                       TIMEOUT 1200)
endfunction()
