// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// The core's interrupt poll in the unit tests: a test says at which poll Ctrl-C "arrives".
#pragma once

#include <string>

#include "support/routine_failure.hpp"
#include "tests/support/threads_variable.hpp"

// The routines' polls see an interrupt from the `polls`-th poll on; 0 turns it off.
void interruptAtPoll(long long polls);

// The reason with which `call` fails while an interrupt is pending from the first poll on, or
// "finished" when no poll asked. The call runs on one thread, which polls for all its work
// (the hook, as a host, answers only the thread that armed it); the hook is off again
// afterwards.
template <class Call>
std::string reasonUnderInterrupt(const Call& call) {
    testthreads::ThreadsVariable oneThread(1);
    struct Pending {
        Pending() { interruptAtPoll(1); }
        ~Pending() { interruptAtPoll(0); }
    } pending;
    try {
        call();
    } catch (const RoutineFailure& failure) {
        return failure.reason();
    }
    return "finished";
}
