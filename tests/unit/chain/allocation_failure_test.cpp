// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// A failed allocation of the block table is a failure of the call, after the message, never
// the end of the process. This test program's operator new fails on request.
#include <gtest/gtest.h>

#include <new>
#include <vector>

#include "chain/chain.hpp"
#include "support/routine_failure.hpp"
#include "tests/support/console_capture.hpp"
#include "tests/support/failing_allocator.hpp"

namespace {

TEST(ChainAllocation, FailureIsReportedAndNothingIsWritten) {
    // Longer than any sequence of the other tests, whose kept table would serve it otherwise.
    const std::vector<double> v(1 << 17, 1.0);
    const int n = static_cast<int>(v.size());
    for (auto routine : {chainAscend, chainDescend}) {
        std::vector<double> x(v.size(), -7.0);
        takeConsoleOutput();
        const char* reason = nullptr;
        failingAllocator::failAfter(0);  // the block table
        try {
            routine(x.data(), v.data(), n);
        } catch (const RoutineFailure& failure) {
            reason = failure.reason();
        } catch (const std::bad_alloc&) {
            ADD_FAILURE() << "the failed allocation escaped without its message";
        }
        failingAllocator::disarm();
        ASSERT_NE(reason, nullptr) << "the routine returned without its block table";
        EXPECT_STREQ(reason, "outOfMemory");
        EXPECT_EQ(takeConsoleOutput(), "\n Allocation of array failure!");
        EXPECT_EQ(x, (std::vector<double>(v.size(), -7.0)));
    }
}

}  // namespace
