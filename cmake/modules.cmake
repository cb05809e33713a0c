# Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
# add_family(<family>)
#
# A family is a folder holding its core (<family>/*.cpp) and, in <family>/mex/, one gateway
# <module>.cpp and one help file <module>.m per module. The core is compiled once, as an
# object library, and linked whole into every module of the family: each module carries its
# own copy of all the family's routines and links against nothing but its host.
#
# Built modules go to <build>/modules/<host>/: embedded/<module>.so (.dll on Windows),
# octave/<module>.mex and matlab/<module>.<mexext>, each host folder with the help files
# beside the modules.

set_property(GLOBAL PROPERTY SPARSEMEX_MODULES "")

function(add_family family)
  file(GLOB core_sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${family}/*.cpp)
  add_core_objects(${family}_core ${core_sources})

  file(GLOB gateways CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${family}/mex/*.cpp)
  add_custom_target(${family}_modules)
  foreach(gateway IN LISTS gateways)
    get_filename_component(module ${gateway} NAME_WE)
    set(help ${PROJECT_SOURCE_DIR}/${family}/mex/${module}.m)
    if(NOT EXISTS ${help})
      message(FATAL_ERROR "module ${module} has no help file ${help}")
    endif()
    set_property(GLOBAL APPEND PROPERTY SPARSEMEX_MODULES ${module})

    if(TARGET mexhost)
      _add_embedded_module(${family} ${module} ${gateway})
      add_dependencies(${family}_modules embedded_${module})
    endif()
    if(SPARSEMEX_HAVE_OCTAVE)
      _add_octave_module(${family} ${module} ${gateway} ${help})
      add_dependencies(${family}_modules octave_${module})
    endif()
    if(SPARSEMEX_HAVE_MATLAB)
      _add_matlab_module(${family} ${module} ${gateway} ${help})
    endif()
  endforeach()
endfunction()

# add_core_objects(<target> <source>...): the sources compiled as a family's core is, as an
# object library: with the cores' support and no MEX header on the include path, every symbol
# hidden as in a module.
function(add_core_objects target)
  add_library(${target} OBJECT ${ARGN})
  target_link_libraries(${target} PUBLIC core_headers)
  _hide_symbols(${target})
endfunction()

function(_add_embedded_module family module gateway)
  set(target embedded_${module})
  add_library(${target} MODULE ${gateway} $<TARGET_OBJECTS:gateway_embedded>
                               $<TARGET_OBJECTS:${family}_core>)
  target_link_libraries(${target} PRIVATE mexhost core_headers)
  _export_mex_function_only(${target})
  if(SPARSEMEX_ELF_LINKER AND NOT SPARSEMEX_FUZZ)
    # Fail the link on any symbol the module does not define (the default of the others);
    # fuzzing modules take the sanitizer runtime from the fuzz target instead.
    target_link_options(${target} PRIVATE -Wl,--no-undefined)
  endif()
  set_target_properties(${target} PROPERTIES OUTPUT_NAME ${module} PREFIX ""
    SUFFIX ${SPARSEMEX_EMBEDDED_SUFFIX} LIBRARY_OUTPUT_DIRECTORY ${SPARSEMEX_MODULE_DIR}/embedded)
endfunction()

# Compiles the target's sources with every symbol hidden but those marked for export, where
# the compiler takes GCC's options and the platform has visibility (not Windows).
function(_hide_symbols target)
  if(NOT MSVC AND NOT WIN32)
    target_compile_options(${target} PRIVATE ${SPARSEMEX_HIDDEN_FLAGS_GNU})
  endif()
endfunction()

# A module exports mexFunction and nothing else: its sources are compiled hidden, and its
# linker is given the manifest's list of exports in its own form.
function(_export_mex_function_only target)
  _hide_symbols(${target})
  if(WIN32)
    target_sources(${target} PRIVATE ${PROJECT_SOURCE_DIR}/${SPARSEMEX_EXPORTS_WINDOWS})
  elseif(APPLE)
    target_link_options(${target} PRIVATE
      -Wl,-exported_symbols_list,${PROJECT_SOURCE_DIR}/${SPARSEMEX_EXPORTS_MACOS})
  elseif(SPARSEMEX_ELF_LINKER)
    target_link_options(${target} PRIVATE
      -Wl,--version-script=${PROJECT_SOURCE_DIR}/${SPARSEMEX_EXPORTS_ELF})
  endif()
endfunction()

function(_add_octave_module family module gateway help)
  set(target octave_${module})
  add_library(${target} MODULE ${gateway} $<TARGET_OBJECTS:gateway_octave>
                               $<TARGET_OBJECTS:${family}_core>)
  target_include_directories(${target} PRIVATE ${SPARSEMEX_OCTAVE_INCLUDES})
  target_link_libraries(${target} PRIVATE core_headers)
  _export_mex_function_only(${target})
  if(SPARSEMEX_ELF_LINKER)
    # Octave provides the MEX symbols when it loads the module; its own calls stay inside.
    target_link_options(${target} PRIVATE -Wl,-Bsymbolic)
  else()
    target_link_libraries(${target} PRIVATE ${SPARSEMEX_OCTAVE_LIBS})
  endif()
  set_target_properties(${target} PROPERTIES OUTPUT_NAME ${module} PREFIX "" SUFFIX ".mex"
    LIBRARY_OUTPUT_DIRECTORY ${SPARSEMEX_MODULE_DIR}/octave)
  _copy_help(${target} ${help} ${SPARSEMEX_MODULE_DIR}/octave)
endfunction()

# Keeps the module's help file beside it, copied again whenever it changes.
function(_copy_help target help directory)
  get_filename_component(name ${help} NAME)
  add_custom_command(OUTPUT ${directory}/${name}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${directory}
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${help} ${directory}/
    DEPENDS ${help})
  add_custom_target(${target}_help DEPENDS ${directory}/${name})
  add_dependencies(${target} ${target}_help)
endfunction()

# matlab_add_mex gives the module MATLAB's own link options, which export mexFunction alone.
function(_add_matlab_module family module gateway help)
  set(target matlab_${module})
  manifest_support_sources(matlab support)
  matlab_add_mex(NAME ${target} MODULE OUTPUT_NAME ${module}
    SRC ${gateway} ${support} $<TARGET_OBJECTS:${family}_core>)
  target_include_directories(${target} PRIVATE ${PROJECT_SOURCE_DIR})
  target_link_libraries(${target} PRIVATE Threads::Threads)
  _hide_symbols(${target})
  set_target_properties(${target} PROPERTIES
    LIBRARY_OUTPUT_DIRECTORY ${SPARSEMEX_MODULE_DIR}/matlab)
  _copy_help(${target} ${help} ${SPARSEMEX_MODULE_DIR}/matlab)
endfunction()
