// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// How the range-indexed operator reads its node table: node 0 whatever the count, bounds
// truncated toward zero, empty ranges. The properties both indexings share are tested in
// tests/unit/treetable/.
#include <gtest/gtest.h>

#include <vector>

#include "indextree/indextree.hpp"

namespace {

std::vector<double> prox(const std::vector<double>& v, const std::vector<double>& ind, int nodes) {
    std::vector<double> x(v.size(), -7.0);
    treeprox(x.data(), v.data(), static_cast<int>(v.size()), ind.data(), nodes);
    return x;
}

TEST(TreeProx, NodeZeroIsReadWhateverTheCount) {
    // nodes = 0 still soft-thresholds with an L1 node, and copies v without one.
    EXPECT_EQ(prox({3, -0.5}, {-1, -1, 1}, 0), (std::vector<double>{2, 0}));
    EXPECT_EQ(prox({3, -0.5}, {1, 2, 100}, 0), (std::vector<double>{3, -0.5}));
    // Truncation: (-1.7, -1.2) is the L1 node; a start of 2.9 begins at the second entry.
    EXPECT_EQ(prox({3, -0.5}, {-1.7, -1.2, 1}, 1), (std::vector<double>{2, 0}));
    EXPECT_EQ(prox({3, 4, 0}, {2.9, 3, 4}, 1), (std::vector<double>{3, 0, 0}));
    // A node whose end is below its start covers nothing.
    EXPECT_EQ(prox({3, 4}, {2, 1, 100}, 1), (std::vector<double>{3, 4}));
}

}  // namespace
