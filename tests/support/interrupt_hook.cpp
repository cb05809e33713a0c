// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
#include "tests/support/interrupt_hook.hpp"

#include "tests/mexhost/poll_countdown.hpp"
#include "support/interrupt.hpp"

namespace {
PollCountdown interruptCountdown;
}  // namespace

void interruptAtPoll(long long polls) { interruptCountdown.start(polls); }

bool interruptRequested() { return interruptCountdown.poll(); }
