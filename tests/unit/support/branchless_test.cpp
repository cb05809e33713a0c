// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
#include "support/branchless.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <limits>

namespace {

std::uint64_t bitsOf(double a) {
    std::uint64_t bits;
    std::memcpy(&bits, &a, sizeof bits);
    return bits;
}

// The chosen operand comes out with every bit, signed zeros and NaN payloads included.
TEST(Branchless, PickGivesTheChosenOperandsBits) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double values[] = {-0.0, 0.0, -1.5, 3e300, 5e-324, -nan,
                             std::numeric_limits<double>::infinity()};
    for (double yes : values) {
        for (double no : values) {
            EXPECT_EQ(bitsOf(pick(true, yes, no)), bitsOf(yes));
            EXPECT_EQ(bitsOf(pick(false, yes, no)), bitsOf(no));
        }
        EXPECT_EQ(bitsOf(keptIf(true, yes)), bitsOf(yes));
        EXPECT_EQ(bitsOf(keptIf(false, yes)), bitsOf(0.0));
    }
}

}  // namespace
