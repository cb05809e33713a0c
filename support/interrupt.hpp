// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// Interrupting long calls.
//
// A routine that may run for seconds polls for a pending interrupt (Ctrl-C) through an
// InterruptPoll and fails with reason "interrupted" when one is pending; the gateway raises
// it as "<module>:interrupted", like any other failure. Each build links one definition of
// interruptRequested: Octave's pending-signal flag in an Octave module, always false in a
// MATLAB module (MATLAB documents no way for compiled code to see Ctrl-C), a hook of the
// embedded host in its modules, and one of the unit tests' support.
//
// Polls belong to the thread that calls the module: on any other thread (a worker of a
// row-wise module), the hosts' interruptRequested says false.
#pragma once

#include "support/routine_failure.hpp"

bool interruptRequested();

// Counts work and asks interruptRequested once per kInterval units of it, so that a poll in
// a loop costs nothing measurable.
class InterruptPoll {
public:
    static constexpr long long kInterval = 1 << 16;

    explicit InterruptPoll(long long interval = kInterval)
        : interval_(interval), countdown_(interval) {}

    // Records `work` units (elements touched, say); fails the call if an interrupt is pending
    // when the count passes the interval.
    void tick(long long work = 1) {
        countdown_ -= work;
        if (countdown_ <= 0) {
            countdown_ = interval_;
            if (interruptRequested())
                throw RoutineFailure(reason::interrupted, "interrupted by the user");
        }
    }

private:
    long long interval_;
    long long countdown_;
};
