// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "support/routine_failure.hpp"
#include "projection/projection.hpp"
#include "tests/support/console_capture.hpp"
#include "tests/support/random.hpp"
#include "tests/support/references.hpp"

namespace {

struct Mixed {
    std::vector<double> X;
    double lambda = -7;
    int steps = -7;
};

Mixed project(const std::vector<double>& V, int m, int n, double z, double lambda0 = 0) {
    Mixed r;
    r.X.assign(V.size(), -7);
    mixedShadow(r.X.data(), &r.lambda, &r.steps, V.data(), m, n, z, lambda0);
    return r;
}

std::vector<double> rowNorms(const std::vector<double>& V, int m, int n) {
    std::vector<double> r(m);
    for (int i = 0; i < m; ++i) {
        long double s = 0;
        for (int j = 0; j < n; ++j) s += static_cast<long double>(V[i + j * m]) * V[i + j * m];
        r[i] = static_cast<double>(std::sqrt(s));
    }
    return r;
}

// The projection onto {X : sum of row norms <= z} scales each row to the L1-ball projection of
// the vector of row norms.
TEST(MixedShadow, MatchesScaledRowsOfTheNormProjection) {
    std::mt19937_64 rng(51);
    std::uniform_real_distribution<double> fraction(0.0, 1.1);
    for (int trial = 0; trial < 60; ++trial) {
        const int m = 1 + trial % 11, n = 1 + trial % 7;
        std::vector<double> V = testdata::awkward(rng, static_cast<std::size_t>(m) * n);
        if (trial % 3 == 0)
            for (int j = 0; j < n; ++j) V[0 + j * m] = 0;  // a zero row
        const std::vector<double> r = rowNorms(V, m, n);
        double total = 0;
        for (double a : r) total += a;
        const double z = fraction(rng) * total;
        double threshold;
        const std::vector<double> target = reference::l1BallProjection(r, z, &threshold);
        const Mixed got = project(V, m, n, z);
        EXPECT_NEAR(got.lambda, threshold, 1e-9) << "trial " << trial;
        for (int i = 0; i < m; ++i)
            for (int j = 0; j < n; ++j) {
                const double expected = r[i] == 0 ? 0 : V[i + j * m] * (target[i] / r[i]);
                ASSERT_NEAR(got.X[i + j * m], expected, 1e-9) << "trial " << trial;
            }
    }
}

TEST(MixedShadow, InsideTheBallCopiesV) {
    const std::vector<double> V = {3, 0, -0.0, 4, 0, 1};  // row norms 5, 0, 1
    for (double z : {6.0, 100.0}) {
        const Mixed got = project(V, 3, 2, z);
        EXPECT_TRUE(std::signbit(got.X[2]));
        EXPECT_EQ(got.X, V);
        EXPECT_EQ(got.lambda, 0.0);
        EXPECT_EQ(got.steps, 0);
    }
}

TEST(MixedShadow, ZeroRadiusAndSingleRow) {
    Mixed got = project({3, 0, 4, 1}, 2, 2, 0);  // row norms 5 and 1
    EXPECT_EQ(got.X, (std::vector<double>{0, 0, 0, 0}));
    EXPECT_EQ(got.lambda, 5.0);
    got = project({3, 0, 4, 0}, 2, 2, 2);  // one nonzero row of norm 5: lambda 3
    EXPECT_EQ(got.lambda, 3.0);
    EXPECT_NEAR(got.X[0], 1.2, 1e-15);
    EXPECT_NEAR(got.X[2], 1.6, 1e-15);
    EXPECT_EQ(got.X[1], 0.0);
}

TEST(MixedShadow, EmptyShapes) {
    Mixed got = project({}, 3, 0, 1);
    EXPECT_EQ(got.lambda, 0.0);
    EXPECT_EQ(got.steps, 0);
    got = project({}, 0, 4, 1);
    EXPECT_EQ(got.lambda, 0.0);
}

TEST(MixedShadow, NegativeRadiusFailsWithoutWriting) {
    takeConsoleOutput();
    Mixed got;
    got.X.assign(2, -7);
    const std::vector<double> V = {1, 2};
    std::string reason;
    try {
        mixedShadow(got.X.data(), &got.lambda, &got.steps, V.data(), 2, 1, -1, 0);
    } catch (const RoutineFailure& failure) {
        reason = failure.reason();
    }
    EXPECT_EQ(reason, "negativeRadius");
    EXPECT_EQ(takeConsoleOutput(), "\n z should be nonnegative!\n");
    EXPECT_EQ(got.X, (std::vector<double>{-7, -7}));
    EXPECT_EQ(got.lambda, -7);
}

// The three steps on blocks of rows, norms gathered, threshold found once: mixedShadow's bits.
TEST(MixedShadow, StepsOnBlocksOfRowsGiveTheWholeProjection) {
    std::mt19937_64 rng(5);
    const int m = 23, n = 7;
    const std::vector<double> V = testdata::gaussian(rng, static_cast<std::size_t>(m) * n);
    const Mixed whole = project(V, m, n, 3.0, 0.25);

    const int cuts[] = {0, 9, 10, 23};
    std::vector<std::vector<double>> blocks;
    std::vector<double> norms;
    for (int b = 0; b < 3; ++b) {
        const int rows = cuts[b + 1] - cuts[b];
        std::vector<double> block(static_cast<std::size_t>(rows) * n);
        for (int j = 0; j < n; ++j)
            for (int i = 0; i < rows; ++i) block[i + j * rows] = V[cuts[b] + i + j * m];
        std::vector<double> blockNorms(static_cast<std::size_t>(rows));
        mixedShadowRowNorms(blockNorms.data(), block.data(), rows, n);
        norms.insert(norms.end(), blockNorms.begin(), blockNorms.end());
        blocks.push_back(block);
    }
    double lambda = -7;
    int steps = -7;
    mixedShadowThreshold(&lambda, &steps, norms.data(), m, 3.0, 0.25);
    EXPECT_EQ(lambda, whole.lambda);
    EXPECT_EQ(steps, whole.steps);
    for (int b = 0; b < 3; ++b) {
        const int rows = cuts[b + 1] - cuts[b];
        std::vector<double> X(blocks[b].size());
        mixedShadowShrink(X.data(), blocks[b].data(), norms.data() + cuts[b], rows, n, lambda);
        for (int j = 0; j < n; ++j)
            for (int i = 0; i < rows; ++i)
                ASSERT_EQ(X[i + j * rows], whole.X[cuts[b] + i + j * m]) << b << " " << i;
    }
}

}  // namespace
