# Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
# Stages and packs the Octave package (run by the octave-package target with -P):
#   SOURCE  the source tree       VERSION  the version
#   STAGE   a scratch folder      OUTPUT   the tarball to write
#
# sparsemex-<version>/
#   DESCRIPTION INDEX COPYING CITATION NEWS
#   inst/            the help files, Contents.m, sparsemex_version.m; inst/examples/
#   src/Makefile     builds the modules with mkoctfile from the sources beside it, as
#                    src/manifest.txt lists them

cmake_minimum_required(VERSION 3.18)

set(name sparsemex-${VERSION})
set(root ${STAGE}/${name})
file(REMOVE_RECURSE ${STAGE})
file(MAKE_DIRECTORY ${root}/inst ${root}/src)

string(TIMESTAMP DATE "%Y-%m-%d" UTC)
string(TIMESTAMP YEAR "%Y" UTC)
configure_file(${SOURCE}/package/DESCRIPTION.in ${root}/DESCRIPTION @ONLY)
configure_file(${SOURCE}/package/CITATION.in ${root}/CITATION @ONLY)
configure_file(${SOURCE}/COPYING ${root}/COPYING COPYONLY)
configure_file(${SOURCE}/CHANGELOG.md ${root}/NEWS COPYONLY)
configure_file(${SOURCE}/package/src.mk ${root}/src/Makefile COPYONLY)

# The sources: the manifest that the Makefile reads, the cores' support, the gateway layer
# with the lists of exports and, per family of the manifest, the core and the gateways.
include(${CMAKE_CURRENT_LIST_DIR}/manifest.cmake)
read_manifest(${SOURCE}/manifest.txt)
configure_file(${SOURCE}/manifest.txt ${root}/src/manifest.txt COPYONLY)
file(GLOB support_files ${SOURCE}/support/*.hpp)
file(COPY ${support_files} DESTINATION ${root}/src/support)
file(GLOB gateway_layer_files ${SOURCE}/mex/*.cpp ${SOURCE}/mex/*.hpp)
file(COPY ${gateway_layer_files} ${SOURCE}/mex/exports DESTINATION ${root}/src/mex)
foreach(folder IN LISTS SPARSEMEX_SHARED_HEADERS)
  file(GLOB headers ${SOURCE}/${folder}/*.hpp)
  file(GLOB gateway_headers ${SOURCE}/${folder}/mex/*.hpp)
  file(COPY ${headers} DESTINATION ${root}/src/${folder})
  file(COPY ${gateway_headers} DESTINATION ${root}/src/${folder}/mex)
endforeach()
set(modules "")
foreach(family IN LISTS SPARSEMEX_FAMILIES)
  set(family_folder ${SOURCE}/${family})
  set(mex_folder ${family_folder}/mex)
  file(GLOB core ${family_folder}/*.cpp ${family_folder}/*.hpp)
  file(GLOB gateways ${mex_folder}/*.cpp ${mex_folder}/*.hpp)
  file(GLOB help ${mex_folder}/*.m)
  file(COPY ${core} DESTINATION ${root}/src/${family})
  file(COPY ${gateways} DESTINATION ${root}/src/${family}/mex)
  file(COPY ${help} DESTINATION ${root}/inst)
  file(GLOB family_gateways RELATIVE ${mex_folder} ${mex_folder}/*.cpp)
  string(REPLACE ".cpp" "" family_modules "${family_gateways}")
  list(APPEND modules ${family_modules})
endforeach()

file(GLOB toolbox ${SOURCE}/toolbox/*.m)
file(COPY ${toolbox} DESTINATION ${root}/inst)
file(GLOB examples ${SOURCE}/examples/*.m)
file(COPY ${examples} DESTINATION ${root}/inst/examples)
file(GLOB data ${SOURCE}/examples/data/*)
file(COPY ${data} DESTINATION ${root}/inst/examples/data)

# INDEX: the families of Contents.m, a heading line then "%   name - summary" lines.
file(STRINGS ${SOURCE}/toolbox/Contents.m contents)
set(index "sparsemex >> Numerical operators for solvers of sparse learning models\n")
set(listed "")
foreach(line IN LISTS contents)
  if(line MATCHES "^% Version ")
    continue()
  elseif(line MATCHES "^% ([A-Z][^:]*)$")
    string(APPEND index "${CMAKE_MATCH_1}\n")
  elseif(line MATCHES "^%   ([A-Za-z0-9_]+) +- ")
    string(APPEND index " ${CMAKE_MATCH_1}\n")
    list(APPEND listed ${CMAKE_MATCH_1})
  endif()
endforeach()
foreach(module IN LISTS modules)
  if(NOT module IN_LIST listed)
    message(FATAL_ERROR "module ${module} is missing from toolbox/Contents.m")
  endif()
endforeach()
file(WRITE ${root}/INDEX "${index}")

execute_process(COMMAND ${CMAKE_COMMAND} -E tar czf ${OUTPUT} ${name}
                WORKING_DIRECTORY ${STAGE} RESULT_VARIABLE packed)
if(NOT packed EQUAL 0)
  message(FATAL_ERROR "could not write ${OUTPUT}")
endif()
