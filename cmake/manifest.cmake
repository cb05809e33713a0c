# Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
# read_manifest(<file>): reads the manifest (manifest.txt) into the caller's scope. Each
# "name = values" line sets SPARSEMEX_<NAME> (the name in upper case) to the list of its
# values, e.g. families -> SPARSEMEX_FAMILIES; paths stay relative to the manifest's folder.
# Also usable from scripts run with -P.
function(read_manifest file)
  file(STRINGS ${file} lines REGEX "^[a-z_]+ *=")
  foreach(line IN LISTS lines)
    string(REGEX MATCH "^([a-z_]+) *= *(.*)$" matched "${line}")
    string(TOUPPER ${CMAKE_MATCH_1} name)
    separate_arguments(values UNIX_COMMAND "${CMAKE_MATCH_2}")
    set(SPARSEMEX_${name} ${values} PARENT_SCOPE)
  endforeach()
  if(NOT lines)
    message(FATAL_ERROR "${file} lists nothing")
  endif()
endfunction()

# manifest_support_sources(<host> <out>): the support sources of the host (embedded, octave,
# matlab) as absolute paths.
function(manifest_support_sources host out)
  string(TOUPPER ${host} HOST)
  list(TRANSFORM SPARSEMEX_SUPPORT_${HOST} PREPEND ${PROJECT_SOURCE_DIR}/ OUTPUT_VARIABLE files)
  set(${out} ${files} PARENT_SCOPE)
endfunction()
