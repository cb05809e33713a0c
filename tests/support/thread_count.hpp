// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// Checking that the thread count (set with threads_variable.hpp) changes nothing: neither a
// bit of the results nor a character of the printed text.
#pragma once

#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "support/parallel.hpp"
#include "tests/support/threads_variable.hpp"

namespace testthreads {

// A system that has only `allowed` threads left to give, for the loops started during its
// lifetime: further starts are refused as when memory or the thread limit is exhausted.
class ThreadStartsAllowed {
public:
    explicit ThreadStartsAllowed(int allowed) {
        left() = allowed;
        parallel::detail::allowThreadStart = [] { return left().fetch_sub(1) > 0; };
    }
    ~ThreadStartsAllowed() { parallel::detail::allowThreadStart = nullptr; }
    ThreadStartsAllowed(const ThreadStartsAllowed&) = delete;
    ThreadStartsAllowed& operator=(const ThreadStartsAllowed&) = delete;

private:
    static std::atomic<int>& left() {
        static std::atomic<int> count{0};
        return count;
    }
};

// What one call gave: its outputs, one after another, and what it printed.
struct Outcome {
    std::vector<double> values;
    std::string printed;
};

inline std::vector<std::uint64_t> bitsOf(const std::vector<double>& values) {
    std::vector<std::uint64_t> bits(values.size());
    if (!values.empty()) std::memcpy(bits.data(), values.data(), values.size() * sizeof(double));
    return bits;
}

// One, two and seven threads: seven splits most inputs at edges that two do not.
const int kThreadCounts[] = {1, 2, 7};

// run() under each thread count gives the outcome of one thread, bit for bit.
template <class Run>
void expectSameUnderEveryThreadCount(const Run& run) {
    Outcome one;
    {
        ThreadsVariable threads(1);
        one = run();
    }
    for (int count : kThreadCounts) {
        ThreadsVariable threads(count);
        const Outcome other = run();
        EXPECT_EQ(bitsOf(other.values), bitsOf(one.values)) << count << " threads";
        EXPECT_EQ(other.printed, one.printed) << count << " threads";
    }
}

}  // namespace testthreads
