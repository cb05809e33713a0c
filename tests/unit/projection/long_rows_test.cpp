// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// Vectors, groups and rows of finite entries whose Euclidean norm exceeds the largest double.
// Multiplying by a power of two is exact, so every result must be exactly 2^600 times the
// result on the data (and weights) 2^600 times smaller, where no norm overflows. The rows
// are either past the largest double or short enough that their squares stay normal at both
// scales, so that both take their norms the same way.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "support/routine_failure.hpp"
#include "projection/projection.hpp"
#include "tests/support/long_units.hpp"

namespace {

using longunits::expectScaledUp;
using longunits::kDown;
using longunits::kUp;
using longunits::times;

const double kInf = std::numeric_limits<double>::infinity();

std::vector<double> shadowTwo(const std::vector<double>& v, double rho) {
    std::vector<double> x(v.size(), -7);
    double c = -7;
    int steps[2] = {-7, -7};
    powerShadow(x.data(), &c, steps, v.data(), static_cast<int>(v.size()), rho, 2, 0);
    return x;
}

// A long row, 2.1e308, and a short one, column-major.
const std::vector<double> kRows = {1.5e308, 3e100, -1.5e308, -4e100, 2e140, 0};

TEST(LongNorms, ShadowsForPTwoScaleDown) {
    const std::vector<double> v = {1.5e308, -1.2e308, 3e100, 2e140};
    for (double rho : {1.0, 1e307, 1.7e308}) {
        const std::vector<double> x = shadowTwo(v, rho);
        expectScaledUp(x, shadowTwo(times(v, kDown), rho * kDown));
        // Independently: v shrunk to the length r - rho, r = 10 hypot(v / 10).
        const double tenth = std::hypot(1.5e307, 1.2e307);
        EXPECT_NEAR(x[0], 1.5e308 * (1 - (rho / 10) / tenth), 1e-15 * 1.5e308) << rho;
    }
    EXPECT_EQ(shadowTwo(v, kInf), std::vector<double>(4, 0.0));

    // Groups: one long, one short, with their own weights.
    const std::vector<double> b = {0, 2, 4}, rho = {1e307, 1e100};
    std::vector<double> x(4, -7), small(4, -7);
    powerShadowVector(x.data(), v.data(), b.data(), 2, 4, rho.data(), 2);
    const std::vector<double> vSmall = times(v, kDown), rhoSmall = times(rho, kDown);
    powerShadowVector(small.data(), vSmall.data(), b.data(), 2, 4, rhoSmall.data(), 2);
    expectScaledUp(x, small);

    // Rows of a matrix.
    std::vector<double> X(6, -7), Xsmall(6, -7);
    const std::vector<double> Vsmall = times(kRows, kDown);
    powerShadowMatrix(X.data(), kRows.data(), 2, 3, 1e307, 2);
    powerShadowMatrix(Xsmall.data(), Vsmall.data(), 2, 3, 1e307 * kDown, 2);
    expectScaledUp(X, Xsmall);
}

// Six columns: the Euclidean step's leading column and one block of five.
TEST(LongNorms, TwoLevelShadowScalesDownWithItsNorms) {
    const std::vector<double> V = {1.5e308, 1e120, -1.2e308, 0,     1e200,  2e130,
                                   -3e307,  4e99,  7e100,    -1e140, 1e307, 5e110};
    const std::vector<double> Vsmall = times(V, kDown);
    // The long row, of norm 1.9e308, shrinks to norms and sums below the largest double.
    for (double lambda2 : {1.2e308, 1.5e308}) {
        std::vector<double> X(12, -7), N(2, -7), Xs(12, -7), Ns(2, -7);
        twoLevelShadow(X.data(), N.data(), V.data(), 2, 6, 1e99, lambda2, 2);
        twoLevelShadow(Xs.data(), Ns.data(), Vsmall.data(), 2, 6, 1e99 * kDown,
                       lambda2 * kDown, 2);
        expectScaledUp(X, Xs);
        expectScaledUp(N, Ns);
    }
    // The row keeps a norm of about 2.1e308 - 1: its sum N(2) truly exceeds the largest double.
    const std::vector<double> row = {1.5e308, 1.5e308};
    std::vector<double> X(2, -7), N(2, -7);
    twoLevelShadow(X.data(), N.data(), row.data(), 1, 2, 0, 1, 2);
    EXPECT_EQ(X, row);
    EXPECT_EQ(N[1], kInf);
    EXPECT_EQ(N[0], kInf);
}

struct Mixed {
    std::vector<double> X;
    double lambda = -7;
    int steps = -7;
};

Mixed project(const std::vector<double>& V, int m, int n, double z) {
    Mixed r;
    r.X.assign(V.size(), -7);
    mixedShadow(r.X.data(), &r.lambda, &r.steps, V.data(), m, n, z, 0);
    return r;
}

TEST(LongNorms, MixedShadowSearchesNormsPastTheLargestDouble) {
    // Row norms 2.1e308 and 5e100; then rows of norm 1e308 each, whose sum overflows.
    const std::vector<std::vector<double>> matrices = {kRows, {1e308, 1e308, 0, 1e120}};
    for (const std::vector<double>& V : matrices) {
        for (double z : {5e307, 1.5e308}) {
            const Mixed got = project(V, 2, static_cast<int>(V.size()) / 2, z);
            const Mixed small = project(times(V, kDown), 2, static_cast<int>(V.size()) / 2,
                                        z * kDown);
            expectScaledUp(got.X, small.X);
            EXPECT_EQ(got.lambda, small.lambda * kUp);
            EXPECT_EQ(got.steps, small.steps);
        }
    }

    // A threshold past the largest double cannot be returned: nothing is written.
    const std::vector<double> V = {1.5e308, 1.5e308};
    Mixed got;
    got.X.assign(2, -7);
    std::string reason;
    try {
        mixedShadow(got.X.data(), &got.lambda, &got.steps, V.data(), 1, 2, 1, 0);
    } catch (const RoutineFailure& failure) {
        reason = failure.reason();
    }
    EXPECT_EQ(reason, "overflow");
    EXPECT_EQ(got.X, std::vector<double>(2, -7));
    EXPECT_EQ(got.lambda, -7);
    EXPECT_EQ(got.steps, -7);
}

}  // namespace
