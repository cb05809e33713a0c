// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// Allocations failed on purpose: the k-th allocation of this test program, counted from the
// moment the failing allocator is armed, fails.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/routine_failure.hpp"
#include "precision/precision.hpp"
#include "tests/support/console_capture.hpp"
#include "tests/support/failing_allocator.hpp"
#include "tests/support/graphical_model.hpp"

namespace {

using testdata::Matrix;

const int kOrder = 5;

TEST(AllocationFailure, LassoStepReportsItAndLeavesTheColumnAlone) {
    const Matrix s = testdata::sparseModelCovariance(8, kOrder);
    int failures = 0;
    for (long k = 1;; ++k) {
        Matrix w = s, x(s.size(), 0.5);
        takeConsoleOutput();
        failingAllocator::failAfter(k - 1);
        const int result = lassoCD(x.data(), w.data(), s.data(), 0.1, kOrder, 2, 1, 100, 1e-9,
                                   1e-9);
        const bool failed = failingAllocator::hasFailed();
        failingAllocator::disarm();
        if (!failed) break;
        ++failures;
        EXPECT_EQ(result, -1);
        EXPECT_EQ(takeConsoleOutput(), "\n Memory allocation failure!");
        EXPECT_EQ(w, s);
        EXPECT_EQ(x, Matrix(s.size(), 0.5));
    }
    EXPECT_GE(failures, 1);
}

// The estimate fails as a whole, whether its own memory or a column's is missing: a column
// left unsolved would be a wrong result reported as a right one.
TEST(AllocationFailure, EstimateFailsInsteadOfEndingOrGoingOnWithoutAColumn) {
    const Matrix s = testdata::sparseModelCovariance(9, kOrder);
    // Allocation 1 is the estimate's own, 2 to 1 + kOrder those of the first columns (later
    // ones may be the console's).
    for (long k : {1L, 2L, 1L + kOrder}) {
        Matrix w(s.size(), -1.0), x(s.size(), -2.0);
        takeConsoleOutput();
        failingAllocator::failAfter(k - 1);
        std::string reason;
        try {
            precisionSweep(x.data(), w.data(), s.data(), 0.1, 0, kOrder, 100, 1e-9, 1e-9, 10,
                           1e-9);
        } catch (const RoutineFailure& failure) {
            reason = failure.reason();
        }
        failingAllocator::disarm();
        EXPECT_EQ(reason, "outOfMemory") << "allocation " << k;
        const std::string printed = takeConsoleOutput();
        EXPECT_EQ(printed.rfind("\n Memory allocation failure!"),
                  printed.size() - std::string("\n Memory allocation failure!").size());
        if (k == 1) {  // before the estimate begins: nothing is written
            EXPECT_EQ(printed, "\n Memory allocation failure!");
            EXPECT_EQ(w, Matrix(s.size(), -1.0));
            EXPECT_EQ(x, Matrix(s.size(), -2.0));
        }
    }
}

}  // namespace
