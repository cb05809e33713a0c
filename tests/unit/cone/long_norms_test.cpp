// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// Cone projections where the norm of the vector part, or the sum of norm and bound, exceeds
// the largest double. Multiplying by a power of two is exact, so the results must be exactly
// 2^600 times those on the data and bounds 2^600 times smaller, where nothing overflows.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "cone/cone.hpp"
#include "tests/support/long_units.hpp"

namespace {

using longunits::kDown;
using longunits::kUp;
using longunits::times;

const double kInf = std::numeric_limits<double>::infinity();

struct Projected {
    std::vector<double> x, t;
};

// Rows of three, column-major: norms 2.1e308, 1.7e308 (its sum with the bound 1.6e308
// overflows), 2.1e308 again (bound 1.6e308: the projected bound itself exceeds the largest
// double) and 5e100.
const std::vector<double> kV = {1.5e308, 1.7e308, 1.5e308, 3e100, -1.5e308, 0,
                                1.5e308, -4e100,  2e140,   0,     0,        0};
const std::vector<double> kBounds = {1e308, 1.6e308, 1.6e308, -1e100};

Projected rows(const std::vector<double>& V, const std::vector<double>& c) {
    Projected p{std::vector<double>(V.size(), -7), std::vector<double>(c.size(), -7)};
    rowCone(p.x.data(), p.t.data(), V.data(), c.data(), 4, 3);
    return p;
}

Projected groups(const std::vector<double>& v, const std::vector<double>& c) {
    const std::vector<double> b = {0, 3, 6, 9, 12};
    Projected p{std::vector<double>(v.size(), -7), std::vector<double>(c.size(), -7)};
    powerShadowVectorR(p.x.data(), p.t.data(), v.data(), c.data(), b.data(), 12, 4);
    return p;
}

// The bounds may be infinite where they exceed the largest double.
void expectScaledDown(const Projected& got, const Projected& small) {
    longunits::expectScaledUp(got.x, small.x);
    EXPECT_EQ(got.t, times(small.t, kUp));
}

TEST(LongCones, RowsAndGroupsScaleDown) {
    const std::vector<double> Vsmall = times(kV, kDown), cSmall = times(kBounds, kDown);
    const Projected byRows = rows(kV, kBounds);
    expectScaledDown(byRows, rows(Vsmall, cSmall));
    // Bounds: (r + c) / 2 below the largest double, infinite only above it.
    EXPECT_NEAR(byRows.t[0], 5 * std::hypot(1.5e307, 1.5e307) + 0.5e308, 1e293);
    EXPECT_EQ(byRows.t[1], 0.5 * 1.7e308 + 0.5 * 1.6e308);
    EXPECT_EQ(byRows.t[2], kInf);

    // The same rows as groups of a vector.
    std::vector<double> v;
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 3; ++j) v.push_back(kV[i + 4 * j]);
    const Projected byGroups = groups(v, kBounds);
    expectScaledDown(byGroups, groups(times(v, kDown), cSmall));
    EXPECT_EQ(byGroups.t, byRows.t);
}

TEST(LongCones, ElementBoundsPastTheLargestDouble) {
    const std::vector<double> v = {1.5e308, -1.7e308, 1e308, -1.5e308};
    const std::vector<double> c = {1e308, 1.6e308, -5e307, 1.7e308};
    std::vector<double> x(4, -7), t(4, -7), xs(4, -7), ts(4, -7);
    elementCone(x.data(), t.data(), v.data(), c.data(), 4);
    const std::vector<double> vSmall = times(v, kDown), cSmall = times(c, kDown);
    elementCone(xs.data(), ts.data(), vSmall.data(), cSmall.data(), 4);
    EXPECT_EQ(x, times(xs, kUp));
    EXPECT_EQ(t, times(ts, kUp));
    // Independently: the two points outside go to the half sums, the third to its own ray,
    // the fourth stays.
    EXPECT_EQ(t[0], 1.25e308);
    EXPECT_EQ(x[0], 1.25e308);
    EXPECT_EQ(t[1], 0.5 * 1.7e308 + 0.5 * 1.6e308);
    EXPECT_EQ(x[1], -t[1]);
    EXPECT_EQ(t[2], 2.5e307);
    EXPECT_EQ(x[3], v[3]);
    EXPECT_EQ(t[3], c[3]);
}

}  // namespace
