// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <vector>

#include "cone/cone.hpp"
#include "tests/unit/cone/cone_projection_check.hpp"

namespace {

const double kNan = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();

struct Pairs {
    std::vector<double> x, t;
};

Pairs project(const std::vector<double>& v, const std::vector<double>& c) {
    Pairs p{std::vector<double>(v.size(), -7.0), std::vector<double>(v.size(), -7.0)};
    elementCone(p.x.data(), p.t.data(), v.data(), c.data(), static_cast<int>(v.size()));
    return p;
}

bool sameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// Each row: v, c, then the expected x and t, compared bit for bit (signs of zeros included).
struct Expected {
    double v, c, x, t;
};

void expectPairs(const std::vector<Expected>& cases) {
    std::vector<double> v, c;
    for (const Expected& e : cases) {
        v.push_back(e.v);
        c.push_back(e.c);
    }
    const Pairs p = project(v, c);
    for (std::size_t i = 0; i < cases.size(); ++i) {
        EXPECT_TRUE(sameBits(p.x[i], cases[i].x))
            << "v " << v[i] << " c " << c[i] << ": x " << p.x[i] << ", expected " << cases[i].x;
        EXPECT_TRUE(sameBits(p.t[i], cases[i].t))
            << "v " << v[i] << " c " << c[i] << ": t " << p.t[i] << ", expected " << cases[i].t;
    }
}

TEST(ElementCone, OutsidePairsGoToTheBoundary) {
    expectPairs({{3, 1, 2, 2}, {-3, 1, -2, 2}, {3, -1, 1, 1}, {-5, 0, -2.5, 2.5},
                 {kInf, 1, kInf, kInf}, {-kInf, 1, -kInf, kInf}});
}

TEST(ElementCone, PairsInsideOrOnTheBoundaryAreKept) {
    expectPairs({{0.5, 2, 0.5, 2}, {2, 2, 2, 2}, {-2, 2, -2, 2}, {0.0, 0.0, 0.0, 0.0},
                 {-0.0, 0.0, -0.0, 0.0}, {-0.0, 5, -0.0, 5}, {0.0, -0.0, 0.0, -0.0},
                 {kInf, kInf, kInf, kInf}, {3, kInf, 3, kInf}});
}

TEST(ElementCone, PolarPairsAndNaNGoToPositiveZero) {
    expectPairs({{1, -3, 0, 0}, {2, -2, 0, 0}, {-2, -2, 0, 0}, {-0.0, -1, 0, 0},
                 {kInf, -kInf, 0, 0}, {kNan, 1, 0, 0}, {1, kNan, 0, 0}, {kNan, kNan, 0, 0}});
}

TEST(ElementCone, NonPositiveCountWritesNothing) {
    double x = -7, t = -7;
    const double v = 3, c = 1;
    for (int n : {0, -1, -2147483647 - 1}) {
        elementCone(&x, &t, &v, &c, n);
        EXPECT_EQ(x, -7);
        EXPECT_EQ(t, -7);
    }
}

TEST(ElementCone, RandomPairsAreProjections) {
    std::mt19937_64 rng(31);
    std::vector<double> v, c;
    for (int i = 0; i < 5000; ++i) {
        const ConeCase pair = randomConeCase(rng, 1);
        v.push_back(pair.v[0]);
        c.push_back(pair.c);
    }
    const Pairs p = project(v, c);
    for (std::size_t i = 0; i < v.size(); ++i)
        ASSERT_TRUE(isConeProjection({p.x[i]}, p.t[i], {v[i]}, c[i])) << "v " << v[i] << " c "
                                                                       << c[i];
}

}  // namespace
