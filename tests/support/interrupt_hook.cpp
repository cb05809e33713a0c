// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
#include "tests/support/interrupt_hook.hpp"

#include <thread>

#include "tests/mexhost/poll_countdown.hpp"
#include "support/interrupt.hpp"

namespace {
PollCountdown interruptCountdown;
// As in the hosts, only the thread that calls the routine sees an interrupt: the thread
// that armed the hook, before the routine started its own.
std::thread::id callingThread;
}  // namespace

void interruptAtPoll(long long polls) {
    callingThread = std::this_thread::get_id();
    interruptCountdown.start(polls);
}

bool interruptRequested() {
    return std::this_thread::get_id() == callingThread && interruptCountdown.poll();
}
