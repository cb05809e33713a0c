# Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
# Checks that code compiled as a core reaches the cores' support and no MEX header (run with
# -P by the test layers.core_without_mex):
#   BUILD_DIR  the build tree             CONFIG  its configuration (empty: single-config)
#   BUILDS     targets compiled as cores that must build, separated by commas
#   REFUSED    targets compiled as cores that include a MEX header, separated by commas: each
#              must fail to build for want of mex.h
cmake_minimum_required(VERSION 3.18)

# Builds `target` of the build tree: its exit code in `out_result`, what it printed in
# `out_output`.
function(build_target target out_result out_output)
  set(config_option "")
  if(CONFIG)
    set(config_option --config ${CONFIG})
  endif()
  execute_process(COMMAND ${CMAKE_COMMAND} --build ${BUILD_DIR} --target ${target} ${config_option}
                  RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
  set(${out_result} ${result} PARENT_SCOPE)
  set(${out_output} "${output}" PARENT_SCOPE)
endfunction()

string(REPLACE "," ";" builds "${BUILDS}")
string(REPLACE "," ";" refused "${REFUSED}")
if(NOT builds OR NOT refused)
  message(FATAL_ERROR "layers: BUILDS and REFUSED must each name a target")
endif()

# The targets that must build show that the failures below come from the included header
# alone, not from how a core is compiled.
foreach(target IN LISTS builds)
  build_target(${target} result output)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "${target} should build as a core but did not:\n${output}")
  endif()
  message("${target}: built")
endforeach()

# How GCC, Clang and Microsoft's compiler (in English) say that an included file is missing.
set(missing_mex_h "mex\\.h'?: No such file|'mex\\.h' file not found|include file: 'mex\\.h'")
foreach(target IN LISTS refused)
  build_target(${target} result output)
  if(result EQUAL 0)
    message(FATAL_ERROR "${target} built: a core reaches a MEX header")
  elseif(NOT output MATCHES "${missing_mex_h}")
    message(FATAL_ERROR "${target} failed to build, but not for want of mex.h:\n${output}")
  endif()
  message("${target}: refused for want of mex.h")
endforeach()
