// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <vector>

#include "cone/cone.hpp"
#include "cone/groups.hpp"
#include "tests/unit/cone/cone_projection_check.hpp"

namespace {

const double kNan = std::numeric_limits<double>::quiet_NaN();

struct Groups {
    std::vector<double> x, t;
};

// x starts as -7 everywhere, so that unwritten elements show.
Groups project(const std::vector<double>& v, const std::vector<double>& c,
               const std::vector<double>& b) {
    const int g = static_cast<int>(b.size()) - 1;
    Groups p{std::vector<double>(v.size(), -7.0), std::vector<double>(g > 0 ? g : 0, -7.0)};
    powerShadowVectorR(p.x.data(), p.t.data(), v.data(), c.data(), b.data(),
                       static_cast<int>(v.size()), g);
    return p;
}

TEST(PowerShadowVectorR, WorkedExample) {
    const Groups p = project({3, 4, 1}, {0, 5}, {0, 2, 3});
    EXPECT_EQ(p.x, (std::vector<double>{1.5, 2, 1}));
    EXPECT_EQ(p.t, (std::vector<double>{2.5, 5}));
}

TEST(PowerShadowVectorR, ScalesByTheQuotientFormedFirst) {
    const Groups p = project({1, 3}, {-1}, {0, 2});
    const double r = std::sqrt(10.0), t = (r - 1) / 2;
    ASSERT_NE((t / r) * 3, t * 3 / r);
    EXPECT_EQ(p.x, (std::vector<double>{(t / r) * 1, (t / r) * 3}));
}

TEST(PowerShadowVectorR, BoundariesAreTruncated) {
    const std::vector<double> v = {3, 4, 1, -2}, c = {1, 0.5};
    const Groups truncated = project(v, c, {0.9, 2.7, 4.2});
    const Groups whole = project(v, c, {0, 2, 4});
    EXPECT_EQ(truncated.x, whole.x);
    EXPECT_EQ(truncated.t, whole.t);
}

TEST(PowerShadowVectorR, UncoveredElementsAndEmptyGroupsAreNotWritten) {
    // Groups: {4}, three empty ones, then {1, 2}; elements 0 and 3 belong to none.
    const Groups p = project({5, 3, 4, 9, 2}, {5, 1.5, -2, -0.0, 0}, {4, 5, 5, 1, 1, 3});
    EXPECT_EQ(p.x, (std::vector<double>{-7, 1.5, 2, -7, 2}));
    EXPECT_EQ(p.t[0], 5);
    EXPECT_EQ(p.t[1], 1.5);  // empty: r = 0, a nonnegative bound is kept
    EXPECT_EQ(p.t[2], 0);    // empty with a negative bound
    EXPECT_TRUE(std::signbit(p.t[3]));
    EXPECT_EQ(p.t[4], 2.5);
}

TEST(PowerShadowVectorR, OverlappingGroupsReadTheInputAndTheLastOneWrites) {
    // Groups {0, 1, 2}, an empty one, and {1, 2, 3}: each takes its norm over v, and the last
    // writes elements 1 and 2.
    const std::vector<double> v = {2, -1, 4, 3};
    const std::vector<double> c = {1, 0.25, -0.5};
    const Groups p = project(v, c, {0, 3, 1, 4});
    const Groups first = project(v, {c[0]}, {0, 3});
    const Groups last = project(v, {c[2]}, {1, 4});
    EXPECT_EQ(p.x, (std::vector<double>{first.x[0], last.x[1], last.x[2], last.x[3]}));
    EXPECT_EQ(p.t, (std::vector<double>{first.t[0], 0.25, last.t[0]}));
}

TEST(PowerShadowVectorR, NaNZeroesOnlyItsGroup) {
    const Groups p = project({3, 4, kNan, 1, 3, 4}, {0, 2, kNan}, {0, 2, 4, 6});
    EXPECT_EQ(p.x, (std::vector<double>{1.5, 2, 0, 0, 0, 0}));
    EXPECT_EQ(p.t, (std::vector<double>{2.5, 0, 0}));
}

TEST(PowerShadowVectorR, NoGroupsWritesNothing) {
    const Groups p = project({1, 2}, {}, {0});
    EXPECT_EQ(p.x, (std::vector<double>{-7, -7}));
}

TEST(PowerShadowVectorR, RandomPartitionsAreProjections) {
    std::mt19937_64 rng(59);
    std::uniform_int_distribution<int> length(0, 6);
    for (int trial = 0; trial < 200; ++trial) {
        std::vector<double> v, c, b = {0};
        std::vector<ConeCase> groups;
        const int g = 1 + trial % 9;
        for (int k = 0; k < g; ++k) {
            groups.push_back(randomConeCase(rng, length(rng)));
            v.insert(v.end(), groups.back().v.begin(), groups.back().v.end());
            c.push_back(groups.back().c);
            b.push_back(static_cast<double>(v.size()));
        }
        const Groups p = project(v, c, b);
        for (int k = 0; k < g; ++k) {
            const std::vector<double> x(p.x.begin() + static_cast<std::ptrdiff_t>(b[k]),
                                        p.x.begin() + static_cast<std::ptrdiff_t>(b[k + 1]));
            ASSERT_TRUE(isConeProjection(x, p.t[k], groups[k].v, c[k]))
                << "trial " << trial << " group " << k;
        }
    }
}

TEST(GroupTable, FindsTheFirstNonEmptyGroupOutsideTheVector) {
    struct Case {
        std::vector<double> b;
        int n, expected;
    };
    const double inf = std::numeric_limits<double>::infinity();
    const std::vector<Case> cases = {
        {{0, 2, 4}, 4, -1},       {{0, 2, 5}, 4, 1},    {{-1, 2}, 4, 0},
        {{-0.9, 2}, 4, -1},       {{0, 4.9}, 4, -1},    {{0, 5}, 4, 0},
        {{7, 7, 3, 3, 0}, 4, -1}, {{2, kNan}, 4, -1},   {{kNan, 2}, 4, 0},
        {{0, 3e9}, 4, -1},        {{-inf, 1}, 4, 0},    {{0, 1, 2}, 0, 0},
        {{3, 3}, 0, -1},          {{0, 2, 1, 6}, 4, 2},
    };
    for (const Case& test : cases)
        EXPECT_EQ(firstGroupOutsideByEnds(test.b.data(), static_cast<int>(test.b.size()) - 1,
                                          test.n),
                  test.expected)
            << "table of " << test.b.size() << " boundaries starting " << test.b[0] << ", n "
            << test.n;
}

}  // namespace
