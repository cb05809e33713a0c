// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// The turning of a failed allocation into a failure of the call: which exceptions count as a
// failed allocation, the message printed as given, and nothing printed or thrown otherwise.
#include <gtest/gtest.h>

#include <new>
#include <stdexcept>
#include <string>
#include <vector>

#include "support/allocation_failure.hpp"
#include "tests/support/console_capture.hpp"

namespace {

// The reason and text of the failure that reportingAllocationFailure threw for `step`, with
// what it printed; an empty reason when it threw nothing.
template <class Step>
std::vector<std::string> reportOf(Step step) {
    takeConsoleOutput();
    std::string reason, text;
    try {
        reportingAllocationFailure("\n No room %d%%!", "not enough memory for the test", step);
    } catch (const RoutineFailure& failure) {
        reason = failure.reason();
        text = failure.what();
    }
    return {reason, text, takeConsoleOutput()};
}

TEST(AllocationFailure, FailedAllocationsPrintTheMessageAsItStandsAndFailTheCall) {
    const std::vector<std::string> expected = {"outOfMemory", "not enough memory for the test",
                                               "\n No room %d%%!"};
    EXPECT_EQ(reportOf([] { throw std::bad_alloc(); }), expected);
    EXPECT_EQ(reportOf([] { throw std::bad_array_new_length(); }), expected);
    EXPECT_EQ(reportOf([] { std::vector<double>().reserve(std::vector<double>().max_size() + 1); }),
              expected);
}

TEST(AllocationFailure, AStepThatAllocatesRunsOnceAndPrintsNothing) {
    int runs = 0;
    std::vector<double> kept;
    EXPECT_EQ(reportOf([&] {
                  ++runs;
                  kept.assign(1000, 1.0);
              }),
              (std::vector<std::string>{"", "", ""}));
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(kept, std::vector<double>(1000, 1.0));
}

TEST(AllocationFailure, OtherFailuresPassThroughUnreported) {
    takeConsoleOutput();
    EXPECT_THROW(reportingAllocationFailure("\n unused", "unused",
                                            [] { throw std::invalid_argument("other"); }),
                 std::invalid_argument);
    try {
        reportingAllocationFailure("\n unused", "unused",
                                   [] { throw RoutineFailure(reason::overflow, "its own"); });
        ADD_FAILURE() << "the step's own failure was lost";
    } catch (const RoutineFailure& failure) {
        EXPECT_STREQ(failure.reason(), "overflow");
        EXPECT_STREQ(failure.what(), "its own");
    }
    EXPECT_EQ(takeConsoleOutput(), "");
}

TEST(AllocationFailure, AllocationSucceedsTellsWithoutPrinting) {
    takeConsoleOutput();
    std::vector<double> work;
    EXPECT_TRUE(allocationSucceeds([&] { work.assign(8, 0.0); }));
    EXPECT_EQ(work.size(), 8u);
    EXPECT_FALSE(allocationSucceeds([] { throw std::bad_alloc(); }));
    EXPECT_FALSE(allocationSucceeds([] { throw std::length_error("too long"); }));
    EXPECT_EQ(takeConsoleOutput(), "");
}

}  // namespace
