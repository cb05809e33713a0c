// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// Ctrl-C in the tree routines of both indexings. Nested groups make a single pass over the
// table long, and a matrix of short rows makes many passes that are each too short to poll
// on their own: every routine must fail with "interrupted" in both, and finish without one.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "tests/support/interrupt_hook.hpp"
#include "tests/unit/treetable/indexing.hpp"

namespace {

// Groups 1..k for k = 1..n, innermost first: a pass touches n (n + 1) / 2 entries.
std::vector<double> nestedGroups(int n) {
    std::vector<double> ind;
    for (int k = 1; k <= n; ++k) ind.insert(ind.end(), {1.0, static_cast<double>(k), 1.0});
    return ind;
}

// Every routine of one indexing, called on `rows` rows of `cols` entries (the single-vector
// routines on the first row).
template <class Indexing>
std::vector<std::function<void()>> everyRoutine(const std::vector<double>& V, int rows, int cols,
                                                const treeindexing::Table& t, double* value,
                                                std::vector<double>& out) {
    const double* v = V.data();
    return {
        [=, &out] { Indexing::prox(out.data(), v, cols, t); },
        [=, &out] { Indexing::proxRows(out.data(), v, rows, cols, t); },
        [=] { Indexing::penalty(value, v, cols, t); },
        [=] { Indexing::ratio(value, v, cols, t); },
        [=] { Indexing::critical(value, v, cols, t); },
        [=] { Indexing::criticalRows(value, v, rows, cols, t); },
    };
}

TREE_INDEXING_SUITE(TreeInterrupts);

TYPED_TEST(TreeInterrupts, ALongPassOverNestedGroupsStops) {
    const int n = 2000;  // two million entries a pass
    const treeindexing::Table t = TypeParam::fromRanges(nestedGroups(n), n, n);
    const std::vector<double> v(n, 1.0);
    std::vector<double> out(n);
    double value = 0;
    int routine = 0;
    for (const auto& call : everyRoutine<TypeParam>(v, 1, n, t, &value, out)) {
        EXPECT_EQ(reasonUnderInterrupt(call), "interrupted") << "routine " << routine;
        EXPECT_NO_THROW(call()) << "routine " << routine;
        ++routine;
    }
}

TYPED_TEST(TreeInterrupts, ManyShortRowsStop) {
    const int rows = 100000, cols = 1;
    const treeindexing::Table t = TypeParam::fromRanges({1, 1, 0.5}, 1, cols);
    const std::vector<double> V(rows, 2.0);
    std::vector<double> out(rows);
    double value = 0;
    const auto calls = everyRoutine<TypeParam>(V, rows, cols, t, &value, out);
    for (int routine : {1, 5}) {  // the row-wise routines
        EXPECT_EQ(reasonUnderInterrupt(calls[routine]), "interrupted") << "routine " << routine;
        EXPECT_NO_THROW(calls[routine]()) << "routine " << routine;
    }
}

}  // namespace
