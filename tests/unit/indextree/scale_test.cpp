// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// At 2^800 and 2^-800 times unit-scale data (weights scaled alike), where plain sums of
// squares overflow or underflow, the tree modules give their unit-scale results scaled.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "indextree/indextree.hpp"

namespace {

// The L1 node, then {1, 2}, {3, 4} and the root {1..4} after the groups inside it.
const std::vector<double> kTable = {-1, -1, 0.1, 1, 2, 0.5, 3, 4, 0.7, 1, 4, 0.9};
const std::vector<double> kV = {1.5, -0.4, 0.8, 1.1};

std::vector<double> scaled(std::vector<double> values, double s, bool weightsOnly = false) {
    for (std::size_t k = 0; k < values.size(); ++k)
        if (!weightsOnly || k % 3 == 2) values[k] *= s;
    return values;
}

TEST(IndexTreeScale, ResultsScaleWithTheDataAtTheEndsOfTheRange) {
    std::vector<double> x(4);
    treeprox(x.data(), kV.data(), 4, kTable.data(), 4);
    double penalty, ratio, critical;
    penaltyValue(&penalty, kV.data(), 4, kTable.data(), 4);
    groupRatioCeiling(&ratio, kV.data(), 4, kTable.data(), 4);
    criticalWeight(&critical, kV.data(), 4, kTable.data(), 4);
    for (int e : {800, -800}) {
        const double s = std::ldexp(1.0, e);
        const std::vector<double> v = scaled(kV, s), ind = scaled(kTable, s, true);
        std::vector<double> xs(4);
        treeprox(xs.data(), v.data(), 4, ind.data(), 4);
        for (int i = 0; i < 4; ++i) EXPECT_NEAR(xs[i] / s, x[i], 1e-9) << "2^" << e;
        double value;
        // With the table's own weights the penalty scales with the data.
        penaltyValue(&value, v.data(), 4, kTable.data(), 4);
        EXPECT_NEAR(value / s, penalty, 1e-9 * penalty) << "2^" << e;
        // Ratios of lengths to weights scaled alike are unchanged; the critical factor too.
        groupRatioCeiling(&value, v.data(), 4, ind.data(), 4);
        EXPECT_NEAR(value, ratio, 1e-9 * ratio) << "2^" << e;
        criticalWeight(&value, v.data(), 4, kTable.data(), 4);
        EXPECT_NEAR(value / s, critical, 1e-9 * critical) << "2^" << e;
    }
}

}  // namespace
