// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// The replaced global allocation functions of a test program that fails allocations on
// purpose. Every form allocates with malloc and releases with free, so that any pairing that
// the language allows agrees.
#include "tests/support/failing_allocator.hpp"

#include <algorithm>
#include <cstdlib>
#include <new>

namespace {

// The number of allocations that succeed before one fails; -1 when none is to fail. Plain
// values: they are constant-initialized, so allocations made before main see them too.
long successesBeforeFailure = -1;
bool armedFailureHappened = false;
std::size_t largest = 0;

// Memory for `size` bytes, or null when this allocation is the one to fail (or malloc fails).
void* allocate(std::size_t size) noexcept {
    largest = std::max(largest, size);
    if (successesBeforeFailure == 0) {
        successesBeforeFailure = -1;
        armedFailureHappened = true;
        return nullptr;
    }
    if (successesBeforeFailure > 0) --successesBeforeFailure;
    return std::malloc(size == 0 ? 1 : size);
}

void* allocateOrThrow(std::size_t size) {
    if (void* block = allocate(size)) return block;
    throw std::bad_alloc();
}

}  // namespace

namespace failingAllocator {

void failAfter(long successes) {
    successesBeforeFailure = successes;
    armedFailureHappened = false;
}

void disarm() { successesBeforeFailure = -1; }

bool hasFailed() { return armedFailureHappened; }

std::size_t largestAllocation() { return largest; }

void resetLargest() { largest = 0; }

}  // namespace failingAllocator

// GCC takes these for the library's own operators and warns that free does not match new;
// here both sides are replaced and agree.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
#endif

void* operator new(std::size_t size) { return allocateOrThrow(size); }
void* operator new[](std::size_t size) { return allocateOrThrow(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return allocate(size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return allocate(size); }

void operator delete(void* block) noexcept { std::free(block); }
void operator delete[](void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t) noexcept { std::free(block); }
void operator delete[](void* block, std::size_t) noexcept { std::free(block); }
void operator delete(void* block, const std::nothrow_t&) noexcept { std::free(block); }
void operator delete[](void* block, const std::nothrow_t&) noexcept { std::free(block); }

#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic pop
#endif
