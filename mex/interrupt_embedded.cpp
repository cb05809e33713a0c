// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// Interrupts in an embedded-host module: the host's test hook says when one is pending, to
// the thread that loaded the module and calls it.
#include "support/interrupt.hpp"

#include <thread>

#include "mex.h"

namespace {
const std::thread::id callingThread = std::this_thread::get_id();
}  // namespace

bool interruptRequested() {
    return std::this_thread::get_id() == callingThread && mexhostInterruptPending();
}
