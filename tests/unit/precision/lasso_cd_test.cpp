// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <vector>

#include "precision/precision.hpp"
#include "tests/support/graphical_model.hpp"
#include "tests/unit/precision/literal_steps.hpp"

namespace {

using testdata::Matrix;

bool sameBits(const Matrix& a, const Matrix& b) {
    return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof(double)) == 0;
}

TEST(MAx, SumsColumnRWithoutEntryJAndLeavesYjAlone) {
    // A = [1 2 3; 4 5 6; 7 8 9] stored by columns: column r is A[r*3 .. r*3+2].
    const std::vector<double> a = {1, 4, 7, 2, 5, 8, 3, 6, 9};
    const std::vector<double> x = {10, 100, 1000};
    std::vector<double> y = {-1, -1, -1};
    m_Ax(y.data(), a.data(), x.data(), 3, 1);
    EXPECT_EQ(y, (std::vector<double>{1 * 10 + 7 * 1000, -1, 3 * 10 + 9 * 1000}));
    m_Ax(y.data(), a.data(), x.data(), 3, 0);
    EXPECT_EQ(y, (std::vector<double>{1 * 10 + 7 * 1000, 5 * 100 + 8 * 1000, 6 * 100 + 9 * 1000}));
}

// A symmetric W and S with warm-start coefficients in row 0 of X (1 and 2).
struct SmallColumn {
    Matrix w = {2, 0.5, 0.25, 0.5, 4, 1, 0.25, 1, 8};
    Matrix s = w;
    Matrix x = {0, 1, 2, 1, 0, 0, 2, 0, 0};
};

TEST(LassoCD, WithoutSweepsWritesTheWarmStartAndItsProduct) {
    for (int maxIter : {0, -5}) {
        SmallColumn c;
        // y_1 = W(1,1)*1 + W(1,2)*2 = 6, y_2 = W(2,1)*1 + W(2,2)*2 = 17.
        EXPECT_EQ(lassoCD(c.x.data(), c.w.data(), c.s.data(), 0.1, 3, 0, 0, maxIter, 0, 0), 0);
        EXPECT_EQ(c.w, (Matrix{2, 6, 17, 6, 4, 1, 17, 1, 8}));
        EXPECT_EQ(c.x, (Matrix{0, 1, 2, 1, 0, 0, 2, 0, 0}));

        SmallColumn last;
        // theta = 1 / (W(0,0) - 0) = 0.5; X(k,0) = -beta_k * theta.
        EXPECT_EQ(lassoCD(last.x.data(), last.w.data(), last.s.data(), 0.1, 3, 0, 1, maxIter, 0, 0), 0);
        EXPECT_EQ(last.w, (Matrix{2, 6, 17, 6, 4, 1, 17, 1, 8}));
        EXPECT_EQ(last.x, (Matrix{0.5, -0.5, -1, -0.5, 0, 0, -1, 0, 0}));
    }
}

// n = 2, column 0: one coordinate, w = 2, S(0,1) = 3, lambda = 1. From 0 the first sweep
// moves it to (3 - 1) / 2 = 1, with objective f = (1 - 3) + 0.5 * 2 = -1, |f + 100| = 99; the
// second sweep leaves it there.
int twoByTwo(double tolFun, double tolX, int maxIter, Matrix* x = nullptr) {
    Matrix w = {2, 0, 0, 2}, s = {2, 3, 3, 2}, local(4, 0.0);
    Matrix& coefficients = x != nullptr ? *x : local;
    return lassoCD(coefficients.data(), w.data(), s.data(), 1, 2, 0, 0, maxIter, tolFun, tolX);
}

TEST(LassoCD, FirstSweepComparesTheObjectiveWithMinus100) {
    Matrix x(4, 0.0);
    EXPECT_EQ(twoByTwo(99, -1, 10, &x), 0);  // |f + 100| = 99 <= tolFun: stops at once
    EXPECT_EQ(x, (Matrix{0, 1, 1, 0}));
    EXPECT_EQ(twoByTwo(98.5, -1, 10), 1);    // stops in the second sweep, |f - f| = 0
    EXPECT_EQ(twoByTwo(-1, 0, 10), 1);       // the second sweep changes nothing: tolX >= 0
    EXPECT_EQ(twoByTwo(-1, -1, 7), 7);       // nothing stops it before maxIter
    EXPECT_EQ(twoByTwo(-1, 1.5, 10), 0);     // the first sweep's change 1 <= tolX
}

TEST(LassoCD, SmallCorrelationGivesExactlyZero) {
    // |r| <= lambda for every coordinate: the warm start 5 is dropped to 0, and y with it.
    Matrix w = {3, 0.5, 0.5, 3}, s = {3, 0.4, 0.4, 3}, x = {0, 5, 5, 0};
    lassoCD(x.data(), w.data(), s.data(), 0.4, 2, 0, 0, 10, 1e-12, 1e-12);
    EXPECT_EQ(x, (Matrix{0, 0, 0, 0}));
    EXPECT_EQ(w, (Matrix{3, 0, 0, 3}));
    EXPECT_FALSE(std::signbit(x[1]));
}

TEST(LassoCD, SingleVariableOnlyWritesTheInverseDiagonal) {
    Matrix w = {4}, s = {3}, x = {9};
    EXPECT_EQ(lassoCD(x.data(), w.data(), s.data(), 1, 1, 0, 0, 10, 1e-6, 0), 0);
    EXPECT_EQ(x, (Matrix{9}));
    EXPECT_EQ(w, (Matrix{4}));
    EXPECT_EQ(lassoCD(x.data(), w.data(), s.data(), 1, 1, 0, 1, 10, 1e-6, -1), 1);
    EXPECT_EQ(x, (Matrix{0.25}));
    EXPECT_EQ(w, (Matrix{4}));
}

// Random columns against the literal transcription: symmetric and asymmetric W, W with Inf
// and NaN (so that no shortcut applies), sparse warm starts with -0, every stopping rule.
TEST(LassoCD, MatchesTheLiteralStepBitForBit) {
    std::mt19937_64 rng(5);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    const double inf = std::numeric_limits<double>::infinity();
    for (int trial = 0; trial < 600; ++trial) {
        const int n = 1 + trial % 13;
        const std::size_t count = static_cast<std::size_t>(n) * n;
        Matrix s = testdata::sparseModelCovariance(static_cast<unsigned>(trial), n);
        Matrix w = s;
        for (int i = 0; i < n; ++i) w[i + i * n] += 0.1;
        Matrix x(count, 0.0);
        for (double& value : x) {
            const double u = unit(rng);
            value = u < 0.5 ? 0.0 : u < 0.6 ? -0.0 : u - 0.8;
        }
        const int kind = trial % 5;
        if (kind == 1) w[count - 1 - n / 2] += 0.25;  // asymmetric W
        if (kind == 2) s[n / 2] -= 0.125;             // asymmetric S
        if (kind == 3 && n > 1) {  // W(1,0), and W(0,1) too half of the time
            const double bad = unit(rng) < 0.5 ? inf : std::nan("");
            w[1] = bad;
            if (unit(rng) < 0.5) w[n] = bad;
        }
        const double lambda = kind == 4 ? 0 : 0.01 + 0.3 * unit(rng);
        const int j = static_cast<int>(unit(rng) * n);
        const int lastSweep = trial % 2;
        const int maxIter = trial % 7 == 0 ? 2 : 200;
        const double tolFun = trial % 3 == 0 ? -1 : 1e-9;
        const double tolX = trial % 4 == 0 ? -1 : 1e-9;

        Matrix xRef = x, wRef = w;
        const int expected = literal::lassoStep(xRef.data(), wRef.data(), s.data(), lambda, n, j,
                                                lastSweep, maxIter, tolFun, tolX);
        const int got = lassoCD(x.data(), w.data(), s.data(), lambda, n, j, lastSweep, maxIter,
                                tolFun, tolX);
        ASSERT_EQ(got, expected) << "trial " << trial;
        ASSERT_TRUE(sameBits(x, xRef)) << "trial " << trial;
        ASSERT_TRUE(sameBits(w, wRef)) << "trial " << trial;
    }
}

}  // namespace
