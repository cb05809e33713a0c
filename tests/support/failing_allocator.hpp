// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// Allocations failed on purpose, to follow a routine down its allocation-failure paths.
//
// A test program linked with failing_allocator.cpp has its global operator new and delete
// replaced (all of them: plain, array, nothrow and sized forms; the over-aligned forms keep
// the library's own). Once armed, they let a number of allocations succeed and fail the next
// one, once: the plain and array forms throw std::bad_alloc, the nothrow forms return null.
// The control is for the test's own thread; the program must not allocate on other threads
// while it is armed.
#pragma once

#include <cstddef>

namespace failingAllocator {

// Lets `successes` (0 or more) further allocations succeed and fails the one after them.
void failAfter(long successes);

// Fails nothing from now on.
void disarm();

// Whether the allocation armed by the last failAfter has failed.
bool hasFailed();

// The largest allocation requested since the last resetLargest (or since the start).
std::size_t largestAllocation();
void resetLargest();

}  // namespace failingAllocator
