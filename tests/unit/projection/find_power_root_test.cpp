// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "projection/projection.hpp"
#include "tests/support/console_capture.hpp"

namespace {

struct Root {
    double root = -7;
    int steps = -7;
};

Root solve(double v, double p, double c, double x0) {
    Root r;
    findPowerRoot(&r.root, &r.steps, v, p, c, x0);
    return r;
}

double residual(double x, double v, double p, double c) { return x + c * std::pow(x, p - 1) - v; }

TEST(FindPowerRoot, WorkedExamples) {
    // x + x^2 = 2: from 2 to 1.2, then to within 1e-8 of 1 after 4 steps.
    Root r = solve(2, 3, 1, 0);
    EXPECT_NEAR(r.root, 1.0, 1e-8);
    EXPECT_EQ(r.steps, 4);
    // x + sqrt(x) = 2 has the root 1 as well.
    r = solve(2, 1.5, 1, 0);
    EXPECT_NEAR(r.root, 1.0, 1e-8);
    EXPECT_EQ(r.steps, 3);
    // The first step lands at -1; the restart point 1e-30 is already above the root.
    r = solve(1, 1.5, 1e20, 0);
    EXPECT_EQ(r.root, 1e-30);
    EXPECT_EQ(r.steps, 1);
}

TEST(FindPowerRoot, ZeroRightSideOrCoefficientNeedsNoStep) {
    for (double p : {1.5, 3.0}) {
        Root r = solve(0, p, 2, 0.5);
        EXPECT_EQ(r.root, 0.0);
        EXPECT_EQ(r.steps, 0);
        r = solve(1.25, p, 0, 0.5);
        EXPECT_EQ(r.root, 1.25);
        EXPECT_EQ(r.steps, 0);
    }
}

TEST(FindPowerRoot, StartingPointOutsideTheIntervalMeansStartingFromV) {
    const Root fromV = solve(2, 3, 1, 0);
    for (double x0 : {-1.0, 2.0, 5.0, std::numeric_limits<double>::quiet_NaN()}) {
        const Root r = solve(2, 3, 1, x0);
        EXPECT_EQ(r.root, fromV.root);
        EXPECT_EQ(r.steps, fromV.steps);
    }
    // A starting point inside (0, v) is used: it starts next to the root and needs fewer steps.
    EXPECT_LT(solve(2, 3, 1, 1.0000001).steps, fromV.steps);
}

TEST(FindPowerRoot, ResidualWithinToleranceAcrossExponents) {
    std::mt19937_64 rng(5);
    std::uniform_real_distribution<double> unit(0.01, 2.0);
    for (double p : {1.1, 1.5, 1.9, 2.5, 3.0, 7.0, 20.0}) {
        for (int trial = 0; trial < 50; ++trial) {
            const double v = unit(rng), c = unit(rng), x0 = unit(rng);
            const Root r = solve(v, p, c, x0);
            ASSERT_GT(r.steps, 0);
            EXPECT_LE(std::fabs(residual(r.root, v, p, c)), 1e-8) << "p " << p;
            EXPECT_GT(r.root, 0.0);
            EXPECT_LE(r.root, v);
        }
    }
}

TEST(FindPowerRoot, ExhaustedStepsPrintAndLeaveOutputsUnwritten) {
    // Near 1e15 the residual cannot be computed to 1e-8, so the iteration never accepts a root.
    takeConsoleOutput();
    const Root r = solve(7.77e15, 3, 1, 0);
    EXPECT_EQ(r.root, -7);
    EXPECT_EQ(r.steps, -7);
    const std::string printed = takeConsoleOutput();
    EXPECT_EQ(printed.rfind("\n The number of steps exceed 1000, in finding the root for f(x)= x "
                            "+ c x^{p-1} - v, 0< x< v.\n If you meet with this problem, please "
                            "contact the maintainers of this library at sparsemex@example.org.",
                            0),
              0u)
        << printed;
}

TEST(VectorPNorm, SumsPowersInOrder) {
    const double x[] = {3, 4};
    EXPECT_EQ(vectorPNorm(x, 2, 2), 5.0);
    EXPECT_EQ(vectorPNorm(x, 2, 0), 0.0);
    const double y[] = {1, 2, 0, 3};
    EXPECT_EQ(vectorPNorm(y, 3, 4),
              std::pow(std::pow(1.0, 3) + std::pow(2.0, 3) + 0.0 + std::pow(3.0, 3), 1 / 3.0));
}

// Powers beyond the double range: the plain sum would give infinity, or 0 for a nonzero x.
TEST(VectorPNorm, LargeAndSmallPowersDoNotOverflowOrVanish) {
    const double x[] = {1.5, 0.25, 1.25};
    for (double p : {2000.0, 1e5}) {
        const double norm = vectorPNorm(x, p, 3);
        EXPECT_GE(norm, 1.5);
        EXPECT_LE(norm, 1.5 * std::pow(3.0, 1 / p) * (1 + 1e-15));
    }
    const double small[] = {0.5, 0.25};
    EXPECT_NEAR(vectorPNorm(small, 3000, 2), 0.5, 1e-15);
    const double zeros[] = {0, 0};
    EXPECT_EQ(vectorPNorm(zeros, 3000, 2), 0.0);
}

}  // namespace
