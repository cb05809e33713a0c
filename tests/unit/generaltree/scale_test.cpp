// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// At 2^800 and 2^-800 times unit-scale data (weights scaled alike), where plain sums of
// squares overflow or underflow, the index-list tree routines give their unit-scale results
// scaled.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "generaltree/generaltree.hpp"

namespace {

// Scattered groups {2, 4} and {1, 3}, then all four, after the L1 node.
const std::vector<double> kG = {2, 4, 1, 3, 1, 2, 3, 4};
const std::vector<double> kTable = {-1, -1, 0.1, 1, 2, 0.5, 3, 4, 0.7, 5, 8, 0.9};
// Two rows of four, column-major.
const std::vector<double> kV = {1.5, 0.3, -0.4, 2.0, 0.8, -1.0, 1.1, 0.2};

std::vector<double> scaled(std::vector<double> values, double s, bool weightsOnly = false) {
    for (std::size_t k = 0; k < values.size(); ++k)
        if (!weightsOnly || k % 3 == 2) values[k] *= s;
    return values;
}

TEST(GeneralTreeScale, ResultsScaleWithTheDataAtTheEndsOfTheRange) {
    const double* G = kG.data();
    std::vector<double> X(8);
    general_treeprox_mt(X.data(), kV.data(), 2, 4, G, kTable.data(), 4);
    const std::vector<double> row = {kV[0], kV[2], kV[4], kV[6]};
    std::vector<double> x(4);
    general_treeprox(x.data(), row.data(), 4, G, kTable.data(), 4);
    double penalty, ratio, critical, criticalRows;
    general_penaltyValue(&penalty, row.data(), 4, G, kTable.data(), 4);
    general_groupRatioCeiling(&ratio, row.data(), 4, G, kTable.data(), 4);
    general_criticalWeight(&critical, row.data(), 4, G, kTable.data(), 4);
    general_criticalWeight_mt(&criticalRows, kV.data(), 2, 4, G, kTable.data(), 4);
    for (int e : {800, -800}) {
        const double s = std::ldexp(1.0, e);
        const std::vector<double> V = scaled(kV, s), v = scaled(row, s);
        const std::vector<double> ind = scaled(kTable, s, true);
        std::vector<double> Xs(8), xs(4);
        general_treeprox_mt(Xs.data(), V.data(), 2, 4, G, ind.data(), 4);
        general_treeprox(xs.data(), v.data(), 4, G, ind.data(), 4);
        for (int k = 0; k < 8; ++k) EXPECT_NEAR(Xs[k] / s, X[k], 1e-9) << "2^" << e;
        for (int k = 0; k < 4; ++k) EXPECT_NEAR(xs[k] / s, x[k], 1e-9) << "2^" << e;
        double value;
        general_penaltyValue(&value, v.data(), 4, G, kTable.data(), 4);
        EXPECT_NEAR(value / s, penalty, 1e-9 * penalty) << "2^" << e;
        general_groupRatioCeiling(&value, v.data(), 4, G, ind.data(), 4);
        EXPECT_NEAR(value, ratio, 1e-9 * ratio) << "2^" << e;
        general_criticalWeight(&value, v.data(), 4, G, kTable.data(), 4);
        EXPECT_NEAR(value / s, critical, 1e-9 * critical) << "2^" << e;
        general_criticalWeight_mt(&value, V.data(), 2, 4, G, kTable.data(), 4);
        EXPECT_NEAR(value / s, criticalRows, 1e-9 * criticalRows) << "2^" << e;
    }
}

}  // namespace
