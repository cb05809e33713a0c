// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "support/routine_failure.hpp"
#include "projection/projection.hpp"
#include "tests/support/console_capture.hpp"
#include "tests/support/random.hpp"
#include "tests/unit/projection/shadow_checks.hpp"

namespace {

using shadowtest::Shadow;
using shadowtest::shadow;

const double kInf = std::numeric_limits<double>::infinity();
const double kNan = std::numeric_limits<double>::quiet_NaN();

double qNorm(const std::vector<double>& v, double p) {
    return static_cast<double>(shadowtest::pNorm(shadowtest::wide(v), shadowtest::dualExponent(p)));
}

std::string failureReason(const std::vector<double>& v, double rho, double p) {
    try {
        shadow(v, rho, p);
    } catch (const RoutineFailure& failure) {
        return failure.reason();
    }
    return "";
}

TEST(PowerShadow, ClosedFormsReportNoMultiplierAndNoSteps) {
    const std::vector<double> v = {3, -1, 0.5, 0, -2};
    for (double p : {1.0, 2.0}) {
        const Shadow s = shadow(v, 1.5, p);
        std::vector<double> expected(v.size());
        if (p == 1)
            powerShadowOne(expected.data(), v.data(), 5, 1.5);
        else
            powerShadowTwo(expected.data(), v.data(), 5, 1.5);
        EXPECT_TRUE(shadowtest::sameBits(s.x, expected));
        EXPECT_EQ(s.c, 0.0);
        EXPECT_EQ(s.iterSteps[0], 0);
        EXPECT_EQ(s.iterSteps[1], 0);
    }
}

TEST(PowerShadow, FromAMillionOnTheExponentIsTheInfinityCaseWithItsGuess) {
    std::mt19937_64 rng(3);
    const std::vector<double> v = testdata::awkward(rng, 300);
    for (double p : {1e6, 3e7, kInf}) {
        for (double c0 : {0.0, 0.4}) {
            Shadow expected{std::vector<double>(v.size()), 0, {0, 0}};
            powerShadowInf(expected.x.data(), &expected.c, expected.iterSteps, v.data(), 300, 20,
                           c0);
            EXPECT_TRUE(shadowtest::sameBits(shadow(v, 20, p, c0), expected)) << p << " " << c0;
        }
    }
}

TEST(PowerShadow, NegativeWeightPrintsAndFailsBeforeWriting) {
    for (double p : {1.0, 2.0, 3.0, 1e6}) {
        takeConsoleOutput();
        std::vector<double> x = {-7, -7};
        double c = -7;
        int steps[2] = {-7, -7};
        const double v[] = {1, 2};
        try {
            powerShadow(x.data(), &c, steps, v, 2, -0.5, p, 0);
            ADD_FAILURE() << "no failure for p = " << p;
        } catch (const RoutineFailure& failure) {
            EXPECT_STREQ(failure.reason(), "negativeWeight");
        }
        EXPECT_EQ(takeConsoleOutput(), "\n rho should be non-negative!");
        EXPECT_EQ(x, (std::vector<double>{-7, -7}));
        EXPECT_EQ(c, -7);
        EXPECT_EQ(steps[0], -7);
    }
}

TEST(PowerShadow, ExponentBelowOneOrNaNIsRejected) {
    for (double p : {0.999999, 0.5, 0.0, -2.0, -kInf, kNan})
        EXPECT_EQ(failureReason({1, 2}, 0.5, p), "invalidExponent") << p;
    EXPECT_EQ(failureReason({1, 2}, 0.5, 1.0), "");
}

TEST(PowerShadow, EmptyVectorForEveryExponent) {
    for (double p : {1.0, 1.5, 2.0, 3.0, 1e6}) {
        const Shadow s = shadow({}, 1, p);
        EXPECT_EQ(s.c, 0.0) << p;
        EXPECT_EQ(s.iterSteps[0], 0);
        EXPECT_EQ(s.iterSteps[1], 0);
    }
}

TEST(PowerShadowGeneral, InsideTheDualBallGivesZero) {
    const std::vector<double> v = {0.3, -0.4, 0};
    for (double p : {1.5, 3.0}) {
        const Shadow s = shadow(v, qNorm(v, p) * 1.0000001, p);
        EXPECT_EQ(s.x, (std::vector<double>{0, 0, 0}));
        EXPECT_FALSE(std::signbit(s.x[1]));
        EXPECT_EQ(s.c, 0.0);
        EXPECT_EQ(s.iterSteps[0], 0);
        EXPECT_EQ(s.iterSteps[1], 0);
    }
}

TEST(PowerShadowGeneral, ZeroWeightReturnsVExactly) {
    const std::vector<double> v = {1.5, -0.25, 0, -0.0, 3};
    for (double p : {1.2, 2.5, 40.0}) {
        const Shadow s = shadow(v, 0, p);
        EXPECT_EQ(s.x, v);
        EXPECT_EQ(s.c, 0.0);
        EXPECT_EQ(s.iterSteps[0], 1);
        EXPECT_EQ(s.iterSteps[1], 0);
    }
}

// Optimality checked independently, on vectors with zeros, ties and sign flips. The stopping
// tests are absolute (1e-8 on the multiplier c), so the equalities hold to about 1e-8 / c.
TEST(PowerShadowGeneral, SatisfiesTheOptimalityConditions) {
    std::mt19937_64 rng(17);
    std::uniform_real_distribution<double> fraction(0.05, 0.95);
    for (double p : {1.05, 1.3, 1.5, 1.9, 2.2, 3.0, 5.0, 10.0, 20.0}) {
        for (int trial = 0; trial < 12; ++trial) {
            const std::vector<double> v = testdata::awkward(rng, 5 + 20 * trial);
            const double rho = fraction(rng) * qNorm(v, p);
            const Shadow s = shadow(v, rho, p);
            SCOPED_TRACE(testing::Message() << "p " << p << " trial " << trial);
            EXPECT_GT(s.c, 0.0);
            EXPECT_GE(s.iterSteps[0], 1);
            shadowtest::expectNormShadow(v, s.x, rho, p, 1e-6, 1e-5);
        }
    }
}

// The norm shadow is continuous in p: near 1, near 2 and for large p it approaches the
// closed forms.
TEST(PowerShadowGeneral, ApproachesTheClosedForms) {
    std::mt19937_64 rng(23);
    const std::vector<double> v = testdata::gaussian(rng, 40);
    struct Case {
        double p, closedP, tolerance;
    };
    for (const Case& k : {Case{1.0001, 1, 1e-2}, Case{1.00001, 1, 2e-3}, Case{1.999999, 2, 1e-5},
                          Case{2.000001, 2, 1e-5}, Case{40, 1e6, 0.2}, Case{400, 1e6, 0.02}}) {
        const double rho = 0.5 * qNorm(v, k.closedP);
        const Shadow near = shadow(v, rho, k.p);
        const Shadow closed = shadow(v, rho, k.closedP);
        for (std::size_t i = 0; i < v.size(); ++i)
            EXPECT_NEAR(near.x[i], closed.x[i], k.tolerance) << "p " << k.p << " i " << i;
    }
}

// For p > 2 the bracket end g(smallest) can overflow (large p, tiny magnitudes); the
// multiplier is then bracketed from the data. Only when that bound overflows too does the
// infinity norm stand in for p.
TEST(PowerShadowGeneral, OverflowingBracketIsReplacedByOneFromTheData) {
    const std::vector<double> v = {1.5, -0.7, 1e-6, 0.3};
    for (double p : {52.0, 60.0, 100.0, 400.0}) {
        const double rho = 0.5 * qNorm(v, p);
        const Shadow s = shadow(v, rho, p);
        EXPECT_GT(s.iterSteps[1], 0) << "p " << p;
        shadowtest::expectNormShadow(v, s.x, rho, p, 1e-7, 1e-7);
    }
    Shadow expected{std::vector<double>(4), 0, {0, 0}};
    powerShadowInf(expected.x.data(), &expected.c, expected.iterSteps, v.data(), 4, 0.5, 0);
    EXPECT_TRUE(shadowtest::sameBits(shadow(v, 0.5, 3000), expected));
}

// A bracket that spans hundreds of orders of magnitude needs more than the 1000 halvings that
// a narrower one is allowed; they go on while they still move c.
TEST(PowerShadowGeneral, WideBracketGoesOnPastTheStepLimit) {
    takeConsoleOutput();
    const std::vector<double> v = {1.5, -0.7, 1e-7, 0.3};
    const Shadow s = shadow(v, 0.5, 44);
    EXPECT_EQ(takeConsoleOutput(), "");
    EXPECT_GT(s.iterSteps[0], 1000);
    shadowtest::expectNormShadow(v, s.x, 0.5, 44, 1e-7, 1e-7);
}

// An element whose root finding runs out of steps ends the bisection; the shadow is then
// found in logarithms, without a message.
TEST(PowerShadowGeneral, ExhaustedRootFindingHandsOverSilently) {
    takeConsoleOutput();
    const std::vector<double> v = {1.5, -0.7, 1e-6, 0.3};
    const Shadow s = shadow(v, 0.5, 51);
    EXPECT_EQ(takeConsoleOutput(), "");
    EXPECT_TRUE(std::isfinite(s.c));
    shadowtest::expectNormShadow(v, s.x, 0.5, 51, 1e-9, 1e-9);
}

// A first multiplier so large that every x_i lands within 1e-8 of its zero start: that move
// is no sign of convergence, and the bisection goes on.
TEST(PowerShadowGeneral, FirstIterationNearZeroIsNotConvergence) {
    const std::vector<double> v = {1.5, -1.2, 1.0, -0.8, 1e-9};
    const double rho = 0.5 * qNorm(v, 20);
    const Shadow s = shadow(v, rho, 20);
    EXPECT_GT(s.iterSteps[0], 1);
    shadowtest::expectNormShadow(v, s.x, rho, 20, 1e-7, 1e-7);
}

}  // namespace
