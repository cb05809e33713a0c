// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// Interrupts in a MATLAB module: MATLAB documents no way for compiled code to see a pending
// Ctrl-C, so a long call runs to its end.
#include "support/interrupt.hpp"

bool interruptRequested() { return false; }
