// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <random>
#include <vector>

#include "projection/soft_threshold.hpp"
#include "tests/support/random.hpp"

namespace {

// Soft thresholding as an if-else chain, +0 inside the interval and for a NaN element.
double chained(double a, double lambda) {
    if (a > lambda) return a - lambda;
    if (a < -lambda) return a + lambda;
    return 0.0;
}

bool sameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// The range form, two elements at a time where it can, gives the chain's bits for every
// element: odd counts and tails, signed zeros, subnormals, infinities and NaN.
TEST(SoftThresholdRange, GivesTheBitsOfTheIfElseChain) {
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double tiny = std::numeric_limits<double>::denorm_min();
    std::mt19937_64 rng(17);
    std::vector<double> special = {0.0, -0.0, tiny, -tiny, 1.0, -1.0, 0.5, -0.5, 1e308,
                                   -1e308, inf, -inf, nan, 2.5, -2.5};
    std::vector<double> random = testdata::awkward(rng, 101);
    for (const std::vector<double>* values : {&special, &random}) {
        for (double lambda : {0.0, tiny, 0.5, 1.0, 1e308, inf}) {
            for (std::size_t count = 0; count <= values->size(); ++count) {
                std::vector<double> x(count + 1, -7.0);
                softThresholdRange(x.data(), values->data(), static_cast<std::ptrdiff_t>(count),
                                   lambda);
                for (std::size_t k = 0; k < count; ++k)
                    ASSERT_TRUE(sameBits(x[k], chained((*values)[k], lambda)))
                        << "element " << (*values)[k] << ", lambda " << lambda;
                EXPECT_EQ(x[count], -7.0) << "written past the range";
            }
        }
    }
}

}  // namespace
