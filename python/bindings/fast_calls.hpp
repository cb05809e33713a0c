// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// Short calls on small vectors, without the general path's conversions in Python.
//
// A Python function calls its fast form first. The fast form takes only a contiguous float64
// vector (and threads= None or a positive int), makes the checks of the general path as plain
// tests and runs the routine; whenever anything is out of the ordinary (a check fails, the
// routine fails or prints) it returns None, and the Python function takes the general path,
// which raises the error or passes the text on. So every message stays written once, in
// Python, and the fast form only ever returns a result that the general path also returns.
#pragma once

#include <pybind11/pybind11.h>

namespace pyhost {

void bindFastCalls(pybind11::module_& module);

}  // namespace pyhost
