// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "chain/chain.hpp"
#include "support/routine_failure.hpp"
#include "tests/support/console_capture.hpp"
#include "tests/support/random.hpp"
#include "tests/support/references.hpp"

namespace {

using Fit = void (*)(double*, const double*, int);

std::vector<double> fit(Fit routine, const std::vector<double>& v) {
    std::vector<double> x(v.size(), -7.0);
    routine(x.data(), v.data(), static_cast<int>(v.size()));
    return x;
}

class BothSweeps : public testing::TestWithParam<Fit> {};

INSTANTIATE_TEST_SUITE_P(Chain, BothSweeps, testing::Values(chainAscend, chainDescend),
                         [](const testing::TestParamInfo<Fit>& info) {
                             return std::string(info.param == chainAscend ? "Ascend" : "Descend");
                         });

TEST_P(BothSweeps, WorkedExamples) {
    EXPECT_EQ(fit(GetParam(), {3, 1, 2}), (std::vector<double>{3, 1.5, 1.5}));
    EXPECT_EQ(fit(GetParam(), {1, 2, 3}), (std::vector<double>{2, 2, 2}));
    EXPECT_EQ(fit(GetParam(), {2, -1, -3}), (std::vector<double>{2, 0, 0}));
    EXPECT_EQ(fit(GetParam(), {-1, -2}), (std::vector<double>{0, 0}));
    EXPECT_EQ(fit(GetParam(), {4, 4, 1, 1}), (std::vector<double>{4, 4, 1, 1}));
    EXPECT_EQ(fit(GetParam(), {0, 0, 0}), (std::vector<double>{0, 0, 0}));
}

TEST_P(BothSweeps, OneElementIsClippedAtPositiveZero) {
    EXPECT_EQ(fit(GetParam(), {2.5}), (std::vector<double>{2.5}));
    for (double value : {-2.5, 0.0, -0.0}) {
        const std::vector<double> x = fit(GetParam(), {value});
        EXPECT_EQ(x[0], 0.0);
        EXPECT_FALSE(std::signbit(x[0])) << "v " << value;
    }
}

TEST_P(BothSweeps, PoolsBeforeClipping) {
    // -3 is followed by larger values and pools with them into a positive block; followed by
    // a smaller total it ends the fit.
    EXPECT_EQ(fit(GetParam(), {6, -3, -1, 5}), (std::vector<double>{6, 1.0 / 3, 1.0 / 3, 1.0 / 3}));
    EXPECT_EQ(fit(GetParam(), {6, -3, -4, 1}), (std::vector<double>{6, 0, 0, 0}));
}

TEST_P(BothSweeps, MatchesPooledAdjacentViolatorsClippedAtZero) {
    std::mt19937_64 rng(67);
    std::uniform_int_distribution<int> pick(0, 5);
    for (int trial = 0; trial < 300; ++trial) {
        const std::size_t n = 1 + static_cast<std::size_t>(trial % 60);
        std::vector<double> v = testdata::awkward(rng, n);
        // Runs of negatives, of a repeated value, and decreasing stretches.
        for (std::size_t i = 1; i < n; ++i) {
            const int kind = pick(rng);
            if (kind == 0) v[i] = -std::fabs(v[i]);
            if (kind == 1) v[i] = v[i - 1] - 0.25;
        }
        if (trial % 3 == 0)
            for (double& value : v) value += 1.0;
        const std::vector<double> expected = reference::nonincreasingNonnegativeFit(v);
        const std::vector<double> x = fit(GetParam(), v);
        for (std::size_t i = 0; i < n; ++i) {
            ASSERT_NEAR(x[i], expected[i], 1e-12 * (1 + std::fabs(expected[i])))
                << "trial " << trial << " i " << i;
            ASSERT_FALSE(std::signbit(x[i])) << "trial " << trial << " i " << i;
        }
    }
}

// Each sweep keeps its own arithmetic: chainAscend weighs the block mean by the block length,
// chainDescend sums afresh from the block start, and the two differ in the last bit here.
TEST(Chain, EachSweepKeepsItsOwnArithmetic) {
    const std::vector<double> v = {0.1, 0.2, 0.3};
    const double ascended = (0.1 + ((0.2 + 0.3 * 1.0) / 2.0) * 2.0) / 3.0;
    const double descended = ((0.1 + 0.2) + 0.3) / 3.0;
    ASSERT_NE(ascended, descended);
    EXPECT_EQ(fit(chainAscend, v), std::vector<double>(3, ascended));
    EXPECT_EQ(fit(chainDescend, v), std::vector<double>(3, descended));
}

TEST(Chain, SweepsAgreeOnLongSequences) {
    std::mt19937_64 rng(71);
    for (int trial = 0; trial < 20; ++trial) {
        std::vector<double> v = testdata::gaussian(rng, 2000);
        for (std::size_t i = 0; i < v.size(); ++i) v[i] += 3.0 - 6.0 * i / v.size();
        const std::vector<double> up = fit(chainAscend, v), down = fit(chainDescend, v);
        for (std::size_t i = 0; i < v.size(); ++i)
            ASSERT_NEAR(up[i], down[i], 1e-12 * (1 + std::fabs(up[i]))) << "trial " << trial;
    }
}

// Blocks that span the stretches of positions between interrupt polls, and a sequence that
// ends inside one, pool as pooled adjacent violators do.
TEST(Chain, AscendPoolsAcrossPollStretches) {
    std::mt19937_64 rng(73);
    std::vector<double> v = testdata::gaussian(rng, 3 * 65536 + 17);
    for (std::size_t i = 0; i < v.size(); ++i) v[i] += 2.0 - 4.0 * i / v.size();
    const std::vector<double> expected = reference::nonincreasingNonnegativeFit(v);
    const std::vector<double> x = fit(chainAscend, v);
    for (std::size_t i = 0; i < v.size(); ++i)
        ASSERT_NEAR(x[i], expected[i], 1e-9 * (1 + std::fabs(expected[i]))) << "i " << i;
}

TEST(Chain, AscendRejectsAnEmptySequenceAfterItsMessage) {
    takeConsoleOutput();
    double x = -7;
    const double v = 1;
    for (int n : {0, -3}) {
        try {
            chainAscend(&x, &v, n);
            ADD_FAILURE() << "n " << n << " accepted";
        } catch (const RoutineFailure& failure) {
            EXPECT_STREQ(failure.reason(), "nonPositiveLength");
        }
        EXPECT_EQ(takeConsoleOutput(), "\n n=" + std::to_string(n) + " should be an integer over 1!");
    }
    EXPECT_EQ(x, -7);
}

TEST(Chain, DescendReturnsQuietlyOnAnEmptySequence) {
    takeConsoleOutput();
    double x = -7;
    const double v = 1;
    for (int n : {0, -3}) chainDescend(&x, &v, n);
    EXPECT_EQ(x, -7);
    EXPECT_EQ(takeConsoleOutput(), "");
}

}  // namespace
