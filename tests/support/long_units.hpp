// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// For tests of data whose norms exceed the largest double: the same data 2^600 times smaller
// (exact, as multiplying by a power of two is), where no norm overflows, and the check that
// results are finite and exactly 2^600 times those on the smaller data.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace longunits {

const double kUp = std::ldexp(1.0, 600);
const double kDown = 1 / kUp;

inline std::vector<double> times(std::vector<double> values, double factor) {
    for (double& value : values) value *= factor;
    return values;
}

// got is finite and equals 2^600 times `small`, entry by entry.
inline void expectScaledUp(const std::vector<double>& got, const std::vector<double>& small) {
    ASSERT_EQ(got.size(), small.size());
    for (std::size_t k = 0; k < got.size(); ++k) {
        EXPECT_TRUE(std::isfinite(got[k])) << "entry " << k;
        EXPECT_EQ(got[k], small[k] * kUp) << "entry " << k;
    }
}

}  // namespace longunits
