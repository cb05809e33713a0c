// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// The batched drop finds the moves of the two scans: same array, same new range end, whatever
// the length (across whole and partial batches), the share of magnitudes on each side and the
// ties with the threshold.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <vector>

#include "projection/drop_side.hpp"

namespace {

TEST(DropSide, MakesTheMovesOfTheTwoScans) {
    std::mt19937_64 rng(97);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    for (int length : {1, 2, 255, 256, 257, 511, 513, 3000}) {
        for (double share : {0.0, 0.01, 0.5, 0.99, 1.0}) {
            for (bool keepAbove : {true, false}) {
                // Magnitudes on a grid of eighths, so that some equal the threshold.
                std::vector<double> x(static_cast<std::size_t>(length) + 6);
                for (double& a : x) a = std::floor(unit(rng) * 8) / 8;
                const double t = std::floor(share * 8) / 8;
                std::vector<double> scanned = x;
                const int b = 3, e = length + 2;
                const int expectedEnd = dropSideByScans(scanned.data(), b, e, t, keepAbove);
                const int end = dropSide(x.data(), b, e, t, keepAbove);
                EXPECT_EQ(end, expectedEnd) << length << " " << share << " " << keepAbove;
                ASSERT_EQ(x, scanned) << length << " " << share << " " << keepAbove;
            }
        }
    }
}

TEST(DropSide, LeavesANaNToTheScans) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    std::vector<double> x = {0.5, 2, nan, 1, 3, 0.25};
    std::vector<double> scanned = x;
    const int expectedEnd = dropSideByScans(scanned.data(), 0, 5, 1, true);
    EXPECT_EQ(dropSide(x.data(), 0, 5, 1, true), expectedEnd);
    for (std::size_t k = 0; k < x.size(); ++k)
        EXPECT_TRUE(x[k] == scanned[k] || (std::isnan(x[k]) && std::isnan(scanned[k]))) << k;
}

}  // namespace
