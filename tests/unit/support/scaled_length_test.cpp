// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// Lengths in units of 2^600 and half sums, where plain lengths and sums overflow.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>
#include <vector>

#include "support/scaled_length.hpp"

namespace {

const double kInf = std::numeric_limits<double>::infinity();

TEST(ScaledLength, LongUnitsHoldLengthsPastTheLargestDouble) {
    const std::vector<double> v = {1.5e308, -1.2e308, 3e100, 0};
    const double length = lengthInLongUnits(4, [&](std::ptrdiff_t k) { return v[k]; });
    // hypot of the entries over 2^600 (exact), the small entry included as a square.
    const double down = std::ldexp(1.0, -600);
    const double expected = std::hypot(1.5e308 * down, 1.2e308 * down);
    EXPECT_NEAR(length, expected, 2e-16 * expected);
    EXPECT_EQ(fromLongUnits(length), kInf);
    EXPECT_EQ(fromLongUnits(inLongUnits(1.5e308)), 1.5e308);
    EXPECT_TRUE(pastLargestDouble(kInf) && pastLargestDouble(-kInf));
    EXPECT_FALSE(pastLargestDouble(DBL_MAX) || pastLargestDouble(std::nan("")));
}

TEST(ScaledLength, HalfSumsNeverOverflowBelowTheLargestDouble) {
    EXPECT_EQ(halfSum(DBL_MAX, DBL_MAX), DBL_MAX);
    EXPECT_EQ(halfSum(1.7e308, 1.6e308), 0.5 * 1.7e308 + 0.5 * 1.6e308);
    EXPECT_EQ(halfSum(-DBL_MAX, -DBL_MAX), -DBL_MAX);
    // Elsewhere the plain (a + b) / 2, subnormal halves included.
    EXPECT_EQ(halfSum(3, 4), 3.5);
    EXPECT_EQ(halfSum(DBL_TRUE_MIN, 0), (DBL_TRUE_MIN + 0) / 2);
    EXPECT_EQ(halfSum(DBL_TRUE_MIN, 2 * DBL_TRUE_MIN), (3 * DBL_TRUE_MIN) / 2);
    EXPECT_EQ(halfSum(kInf, 1), kInf);
    EXPECT_TRUE(std::isnan(halfSum(kInf, -kInf)));
}

}  // namespace
