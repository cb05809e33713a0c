// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// Interrupts in an Octave module: Octave's signal handler raises octave_signal_caught when
// SIGINT (Ctrl-C) or SIGTERM arrives, and leaves the signal for the interpreter to handle
// once the module has returned. Only the interpreter's thread, which loads and calls the
// module, asks.
#include "support/interrupt.hpp"

#include <thread>

#include "quit.h"

namespace {
const std::thread::id interpreterThread = std::this_thread::get_id();
}  // namespace

bool interruptRequested() {
    if (std::this_thread::get_id() != interpreterThread) return false;
    return octave_signal_caught != 0 || octave_interrupt_state > 0;
}
