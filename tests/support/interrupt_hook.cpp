// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
#include "tests/support/interrupt_hook.hpp"

#include "host/interrupt.hpp"

namespace {
long long pollsUntilInterrupt = 0;
}  // namespace

void interruptAtPoll(long long polls) { pollsUntilInterrupt = polls; }

bool interruptRequested() {
    if (pollsUntilInterrupt == 0) return false;
    if (pollsUntilInterrupt > 1) --pollsUntilInterrupt;
    return pollsUntilInterrupt == 1;
}
