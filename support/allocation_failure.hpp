// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// A failed allocation inside a routine: a failure of the call, never the end of the process.
//
// A request that cannot be met throws std::bad_alloc, or std::length_error when a container
// is asked for more elements than it can ever hold; both count as a failed allocation.
#pragma once

#include <new>
#include <stdexcept>

#include "support/console.hpp"
#include "support/routine_failure.hpp"

// Runs `step`; whether it finished without a failed allocation. What the step obtained before
// the failure has been released (RAII) by the time this returns.
template <class Step>
bool allocationSucceeds(Step&& step) {
    try {
        step();
        return true;
    } catch (const std::bad_alloc&) {
    } catch (const std::length_error&) {
    }
    return false;
}

// Runs `step`. A failed allocation inside it abandons the step, prints consoleMessage as it
// stands and fails the call: RoutineFailure(reason::outOfMemory, text).
template <class Step>
void reportingAllocationFailure(const char* consoleMessage, const char* text, Step&& step) {
    if (allocationSucceeds(step)) return;
    consolePrintf("%s", consoleMessage);
    throw RoutineFailure(reason::outOfMemory, text);
}
