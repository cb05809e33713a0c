// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// Every allocation of a fit failing in turn. The call must fail with an allocation error,
// after the message that goes with the allocation where there is one, and release what it
// obtained: the file is closed here, and the sanitizer build checks that no memory leaks.
#include <new>
#include <set>

#include "tests/support/failing_allocator.hpp"
#include "tests/support/random.hpp"
#include "tests/unit/monotone/tree_test_support.hpp"

namespace {

// Runs the fit with the k-th allocation failing, for k = 0, 1, ... until it succeeds; returns
// the console messages seen.
template <class Fit>
std::set<std::string> failEachAllocation(Fit fit, const std::vector<double>& expected) {
    std::set<std::string> messages;
    for (long k = 0;; ++k) {
        std::vector<double> x(expected.size(), 0.0);
        const int filesBefore = treetest::openFileCount();
        takeConsoleOutput();
        bool failed = true;
        BlockTree::releaseKeptStorage();  // so that every allocation happens in every call
        // Only one allocation fails, so that the failure can still be reported.
        failingAllocator::failAfter(k);
        try {
            fit(x.data());
            failed = false;
        } catch (const RoutineFailure& failure) {
            EXPECT_STREQ(failure.reason(), "outOfMemory") << "allocation " << k;
        } catch (const std::bad_alloc&) {
        }
        failingAllocator::disarm();
        messages.insert(takeConsoleOutput());
        EXPECT_EQ(treetest::openFileCount(), filesBefore) << "allocation " << k;
        if (!failed) {
            EXPECT_EQ(x, expected);
            EXPECT_GT(k, 5);
            return messages;
        }
    }
}

TEST(AllocationFailure, FileTreeFitReportsAndReleases) {
    const testdata::TempFile file("1 2 2 3\n2 2 4 5\n");
    const std::vector<double> v = {1, 3, 0, 2, -1};
    const std::set<std::string> messages = failEachAllocation(
        [&](double* x) { isoHier(x, file.path(), v.data(), 1, 5); }, {2, 2, 0, 2, 0});
    EXPECT_EQ(messages, (std::set<std::string>{"", "\n Allocation of treeInfo failure!",
                                               "\n Allocation in computeGroups failure!",
                                               "\n Allocation in buildTree failure!"}));
}

TEST(AllocationFailure, ShapeFitReportsAndReleases) {
    const std::vector<double> v = {1, 5, 3, 0, 0};
    const std::set<std::string> messages =
        failEachAllocation([&](double* x) { isoHierBinary(x, v.data(), 5); }, {3, 3, 3, 0, 0});
    EXPECT_EQ(messages, (std::set<std::string>{"", "\n Allocation of treeInfo failure!",
                                               "\n Allocation in computeGroups failure!",
                                               "\n Allocation in buildTree failure!"}));
}

// A fit of a tree no larger than the last one takes that one's block storage: no allocation
// of its size again.
TEST(AllocationFailure, RepeatedFitsReuseTheBlockStorage) {
    const int n = 20000;
    std::mt19937_64 rng(5);
    const std::vector<double> v = testdata::gaussian(rng, n);
    std::vector<double> first(v.size()), again(v.size());
    BlockTree::releaseKeptStorage();
    isoHierBinary(first.data(), v.data(), n);
    failingAllocator::resetLargest();
    isoHierBinary(again.data(), v.data(), n - 1000);
    isoHierBinary(again.data(), v.data(), n);
    EXPECT_LT(failingAllocator::largestAllocation(), n * sizeof(TreeBlock));
    EXPECT_EQ(again, first);
}

}  // namespace
