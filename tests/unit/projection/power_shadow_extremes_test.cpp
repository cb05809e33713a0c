// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// The general-p norm shadow where the bisection on its multiplier cannot work: an entry whose
// root underflows beside entries of order 1, and large exponents with weights so small that
// the multiplier is far below the bisection's tolerance. Checked against the optimality
// conditions of the shadow, with no message printed.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "projection/projection.hpp"
#include "tests/support/console_capture.hpp"
#include "tests/support/random.hpp"
#include "tests/unit/projection/shadow_checks.hpp"

namespace {

using shadowtest::Shadow;
using shadowtest::shadow;

double dualNorm(const std::vector<double>& v, double p) {
    return static_cast<double>(shadowtest::pNorm(shadowtest::wide(v), shadowtest::dualExponent(p)));
}

void expectShadowWithoutMessage(const std::vector<double>& v, double rho, double p) {
    takeConsoleOutput();
    const Shadow s = shadow(v, rho, p);
    EXPECT_EQ(takeConsoleOutput(), "") << "p " << p;
    EXPECT_TRUE(std::isfinite(s.c) && s.c > 0) << "p " << p << ", c " << s.c;
    shadowtest::expectNormShadow(v, s.x, rho, p, 1e-6, 1e-6);
}

TEST(PowerShadowExtremes, TinyEntryBesideUnitEntries) {
    struct Case {
        std::vector<double> v;
        double p;
    };
    for (const Case& k : {Case{{1.9, 1e-300}, 3}, Case{{1.9, 1e-250}, 2.5}, Case{{1.5, 1e-36}, 10}}) {
        const double rho = 0.5 * dualNorm(k.v, k.p);
        const Shadow s = shadow(k.v, rho, k.p);
        // The tiny entry is all but untouched: its residual c x^(p-1) is far below it.
        EXPECT_EQ(s.x[1], k.v[1]) << "p " << k.p;
        expectShadowWithoutMessage(k.v, rho, k.p);
    }
    std::mt19937_64 rng(1212);
    std::uniform_real_distribution<double> unit(0, 1);
    for (int trial = 0; trial < 200; ++trial) {
        std::vector<double> v = testdata::gaussian(rng, 2 + trial % 9);
        v[trial % v.size()] = (trial % 2 ? -1 : 1) * std::pow(10.0, -10 - 290 * unit(rng));
        const double p = trial % 4 == 0 ? 1.05 + 0.9 * unit(rng) : 2 + 18 * unit(rng);
        SCOPED_TRACE(testing::Message() << "trial " << trial);
        expectShadowWithoutMessage(v, (0.05 + 0.9 * unit(rng)) * dualNorm(v, p), p);
    }
}

// No element of a shadow moves by more than rho: the residual v - x has dual norm rho.
TEST(PowerShadowExtremes, LargeExponentWithTinyWeightMovesNoElementFartherThanRho) {
    std::mt19937_64 rng(1213);
    const std::vector<double> v = testdata::gaussian(rng, 1000);
    for (double p : {100.0, 1e3, 1e4, 1e5}) {
        for (double rho : {1e-20, 1e-16, 1e-12, 1e-8, 1e-4, 1e-2}) {
            takeConsoleOutput();
            const Shadow s = shadow(v, rho, p);
            EXPECT_EQ(takeConsoleOutput(), "");
            for (std::size_t i = 0; i < v.size(); ++i)
                ASSERT_LE(std::fabs(s.x[i] - v[i]), rho * (1 + 1e-6))
                    << "p " << p << ", rho " << rho << ", i " << i;
        }
    }
    // Weights near the spacing of the doubles at v, for the bisection, the search and the
    // infinity norm standing in for p.
    const std::vector<double> near = {1.9, -1.3, 0.7};
    for (double p : {11.0, 300.0, 5000.0})
        for (double rho : {1.5e-16, 3e-16, 7e-16, 1.3e-15, 4.4e-12}) {
            const Shadow s = shadow(near, rho, p);
            for (std::size_t i = 0; i < near.size(); ++i)
                EXPECT_LE(std::fabs(s.x[i] - near[i]), rho * (1 + 1e-6)) << "p " << p << ", rho " << rho;
        }
    // The bisection's absolute tolerance once stopped here with x(5) = 4.7114.
    const std::vector<double> ramp = {1, 2, 3, 4, 5};
    expectShadowWithoutMessage(ramp, 1e-4, 100);
}

}  // namespace
