# Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
# add_octave_test(<name> <statement>): runs the statement in octave-cli with the built Octave
# modules and the Octave test helpers on the path; the test fails when Octave exits non-zero.
function(add_octave_test name statement)
  add_test(NAME ${name}
    COMMAND ${OCTAVE_CLI_EXECUTABLE} --norc --no-history --quiet --eval
      "addpath('${SPARSEMEX_MODULE_DIR}/octave'); addpath('${PROJECT_SOURCE_DIR}/tests/octave'); ${statement}")
  set_tests_properties(${name} PROPERTIES LABELS octave TIMEOUT 600)
endfunction()
