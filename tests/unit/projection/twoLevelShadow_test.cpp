// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "support/routine_failure.hpp"
#include "projection/projection.hpp"
#include "tests/support/random.hpp"
#include "tests/support/references.hpp"

namespace {

struct TwoLevel {
    std::vector<double> X;
    double N[2] = {-7, -7};
};

TwoLevel shrink(const std::vector<double>& V, int m, int n, double lambda1, double lambda2,
                int mode) {
    TwoLevel r;
    r.X.assign(V.size(), -7);
    twoLevelShadow(r.X.data(), r.N, V.data(), m, n, lambda1, lambda2, mode);
    return r;
}

double softThreshold(double a, double lambda) {
    return a > lambda ? a - lambda : (a < -lambda ? a + lambda : 0.0);
}

// Mode 2 is the proximal operator of lambda1 |X|_1 + lambda2 sum_i ||X(i,:)||_2: soft
// thresholding, then shrinking each row's norm by lambda2.
TEST(TwoLevelShadow, EuclideanModeIsSoftThresholdThenGroupShrinkage) {
    std::mt19937_64 rng(61);
    std::uniform_real_distribution<double> weight(0.0, 1.5);
    for (int trial = 0; trial < 80; ++trial) {
        const int m = 1 + trial % 6, n = 1 + trial % 12;  // every n mod 5
        const std::vector<double> V = testdata::awkward(rng, static_cast<std::size_t>(m) * n);
        const double lambda1 = weight(rng) * 0.5, lambda2 = weight(rng);
        const TwoLevel got = shrink(V, m, n, lambda1, lambda2, 2);
        long double l1 = 0, rows = 0;
        for (int i = 0; i < m; ++i) {
            long double s = 0;
            for (int j = 0; j < n; ++j) {
                const long double u = softThreshold(V[i + j * m], lambda1);
                s += u * u;
            }
            const long double r = std::sqrt(s);
            const long double f = r > lambda2 ? (r - lambda2) / r : 0;
            for (int j = 0; j < n; ++j) {
                const double expected =
                    static_cast<double>(softThreshold(V[i + j * m], lambda1) * f);
                ASSERT_NEAR(got.X[i + j * m], expected, 1e-13) << "trial " << trial;
                l1 += std::fabs(expected);
            }
            rows += f * r;
        }
        EXPECT_NEAR(got.N[0], static_cast<double>(l1), 1e-12) << "trial " << trial;
        EXPECT_NEAR(got.N[1], static_cast<double>(rows), 1e-12) << "trial " << trial;
    }
}

TEST(TwoLevelShadow, WorkedExamples) {
    TwoLevel got = shrink({3, 4}, 1, 2, 0, 2.5, 2);
    EXPECT_EQ(got.X, (std::vector<double>{1.5, 2}));
    EXPECT_EQ(got.N[0], 3.5);
    EXPECT_EQ(got.N[1], 2.5);
    // Elements: 2.5 and -2.5 lose 1, 0.5 goes to zero; no row weight.
    got = shrink({2.5, -2.5, 0.5}, 3, 1, 1, 0, 2);
    EXPECT_EQ(got.X, (std::vector<double>{1.5, -1.5, 0}));
    // No weights at all: X = V but with positive zeros; N holds the norms of V.
    got = shrink({-0.0, 3, 0, -4}, 2, 2, 0, 0, 2);
    EXPECT_EQ(got.X, (std::vector<double>{0, 3, 0, -4}));
    EXPECT_FALSE(std::signbit(got.X[0]));
    EXPECT_EQ(got.N[0], 7.0);
    EXPECT_EQ(got.N[1], 5.0);
}

// The five magnitudes of a block are summed before they join the running sum: 1 + (5 halves
// of an ulp) rounds up to 1 + 2 ulp, whereas adding them one by one would leave 1.
TEST(TwoLevelShadow, EuclideanSumsGroupBlocksOfFive) {
    const double half = std::ldexp(1.0, -53);
    const TwoLevel got = shrink({1, half, half, half, half, half}, 1, 6, 0, 0, 2);
    EXPECT_EQ(got.N[0], 1 + std::ldexp(1.0, -51));
    // Squares of about half an ulp of 1: one leading column, then one block of five.
    const double b = std::sqrt(half);
    const double q = b * b;
    const double grouped = 1.0 + ((((q + q) + q) + q) + q);
    const double oneByOne = ((((1.0 + q) + q) + q) + q) + q;
    ASSERT_NE(std::sqrt(grouped), std::sqrt(oneByOne));
    EXPECT_EQ(shrink({1, b, b, b, b, b}, 1, 6, 0, 0, 2).N[1], std::sqrt(grouped));
}

// Any mode but 2 clips each thresholded row at the threshold of its L1-ball projection.
TEST(TwoLevelShadow, InfinityModeIsTheRowMinusItsL1BallProjection) {
    std::mt19937_64 rng(71);
    for (int mode : {0, 1, 3, -5}) {
        for (int trial = 0; trial < 20; ++trial) {
            const int m = 1 + trial % 5, n = 1 + trial % 9;
            const std::vector<double> V = testdata::awkward(rng, static_cast<std::size_t>(m) * n);
            const double lambda1 = 0.2, lambda2 = 0.3 + 0.2 * (trial % 4);
            const TwoLevel got = shrink(V, m, n, lambda1, lambda2, mode);
            EXPECT_EQ(got.N[0], 0.0);
            EXPECT_EQ(got.N[1], 0.0);
            for (int i = 0; i < m; ++i) {
                std::vector<double> u(n);
                for (int j = 0; j < n; ++j) u[j] = softThreshold(V[i + j * m], lambda1);
                const std::vector<double> projected = reference::l1BallProjection(u, lambda2);
                for (int j = 0; j < n; ++j)
                    ASSERT_NEAR(got.X[i + j * m], u[j] - projected[j], 1e-12)
                        << "mode " << mode << " trial " << trial;
            }
        }
    }
}

TEST(TwoLevelShadow, NegativeWeightsFailBeforeAnyRow) {
    for (int mode : {2, 1}) {
        for (double lambda1 : {-0.5, 0.5}) {
            TwoLevel got;
            got.X.assign(2, -7);
            const std::vector<double> V = {1, 2};
            std::string reason;
            try {
                twoLevelShadow(got.X.data(), got.N, V.data(), 1, 2, lambda1, -lambda1, mode);
            } catch (const RoutineFailure& failure) {
                reason = failure.reason();
            }
            EXPECT_EQ(reason, "negativeWeight");
            EXPECT_EQ(got.X, (std::vector<double>{-7, -7}));
            EXPECT_EQ(got.N[0], -7);
        }
    }
}

}  // namespace
