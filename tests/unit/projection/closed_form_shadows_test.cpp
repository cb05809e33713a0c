// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "projection/projection.hpp"
#include "tests/support/random.hpp"
#include "tests/support/references.hpp"
#include "tests/unit/projection/shadow_checks.hpp"

namespace {

std::vector<double> one(const std::vector<double>& v, double rho) {
    std::vector<double> x(v.size(), -7);
    powerShadowOne(x.data(), v.data(), static_cast<int>(v.size()), rho);
    return x;
}

std::vector<double> two(const std::vector<double>& v, double rho) {
    std::vector<double> x(v.size(), -7);
    powerShadowTwo(x.data(), v.data(), static_cast<int>(v.size()), rho);
    return x;
}

shadowtest::Shadow infinity(const std::vector<double>& v, double rho, double c0 = 0) {
    shadowtest::Shadow s{std::vector<double>(v.size(), -7), -7, {-7, -7}};
    powerShadowInf(s.x.data(), &s.c, s.iterSteps, v.data(), static_cast<int>(v.size()), rho, c0);
    return s;
}

TEST(PowerShadowOne, SoftThresholdsEveryElement) {
    EXPECT_EQ(one({2, -2, 0.5, -3, 0, 3.5}, 2), (std::vector<double>{0, 0, 0, -1, 0, 1.5}));
    EXPECT_EQ(one({-1.25, 0.75}, 0), (std::vector<double>{-1.25, 0.75}));
}

TEST(PowerShadowTwo, ShrinksAlongV) {
    EXPECT_EQ(two({3, -4}, 2.5), (std::vector<double>{1.5, -2}));
    EXPECT_EQ(two({3, -4}, 5), (std::vector<double>{0, 0}));  // norm equal to rho
    EXPECT_EQ(two({0, 0, 0}, 0), (std::vector<double>{0, 0, 0}));
    EXPECT_EQ(two({0.1, -7, 2}, 0), (std::vector<double>{0.1, -7, 2}));  // factor 1
}

TEST(PowerShadowInf, EdgeCases) {
    // rho at or above the L1 norm: the projection is v, so x = 0.
    shadowtest::Shadow s = infinity({1, -2, 0.5}, 3.5);
    EXPECT_EQ(s.x, (std::vector<double>{0, 0, 0}));
    EXPECT_EQ(s.c, 0.0);
    EXPECT_EQ(s.iterSteps[0], 0);
    EXPECT_EQ(s.iterSteps[1], 0);
    // rho = 0: the projection is 0, so x = v and c = max |v_i|.
    s = infinity({1, -2, 0.5}, 0);
    EXPECT_EQ(s.x, (std::vector<double>{1, -2, 0.5}));
    EXPECT_EQ(s.c, 2.0);
    EXPECT_EQ(s.iterSteps[0], 1);
    // A single nonzero entry loses rho in magnitude.
    s = infinity({0, -5, 0}, 2);
    EXPECT_EQ(s.x, (std::vector<double>{0, -3, 0}));
    EXPECT_EQ(s.c, 3.0);
    s = infinity({}, 1);
    EXPECT_EQ(s.c, 0.0);
    EXPECT_EQ(s.iterSteps[0], 0);
}

TEST(PowerShadowInf, IsVMinusItsL1BallProjection) {
    std::mt19937_64 rng(8);
    for (int trial = 0; trial < 100; ++trial) {
        const std::vector<double> v = testdata::awkward(rng, 1 + trial * 3);
        double l1 = 0;
        for (double a : v) l1 += std::fabs(a);
        const double rho = 0.4 * l1;
        double threshold;
        const std::vector<double> projected = reference::l1BallProjection(v, rho, &threshold);
        const shadowtest::Shadow s = infinity(v, rho);
        EXPECT_NEAR(s.c, threshold, 1e-9);
        for (std::size_t i = 0; i < v.size(); ++i) EXPECT_NEAR(s.x[i], v[i] - projected[i], 1e-9);
        EXPECT_EQ(s.iterSteps[1], 0);
    }
}

}  // namespace
