// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <vector>

#include "cone/cone.hpp"
#include "tests/unit/cone/cone_projection_check.hpp"

namespace {

const double kNan = std::numeric_limits<double>::quiet_NaN();

struct Rows {
    std::vector<double> X, t;
};

// V column-major, m-by-n.
Rows project(const std::vector<double>& V, const std::vector<double>& c, int m, int n) {
    Rows p{std::vector<double>(V.size(), -7.0), std::vector<double>(c.size(), -7.0)};
    rowCone(p.X.data(), p.t.data(), V.data(), c.data(), m, n);
    return p;
}

std::vector<double> row(const std::vector<double>& A, int m, int n, int i) {
    std::vector<double> r;
    for (int j = 0; j < n; ++j) r.push_back(A[i + static_cast<std::size_t>(j) * m]);
    return r;
}

TEST(RowCone, WorkedRowsOutsideOnTheBoundaryAndPolar) {
    const Rows p = project({3, 3, 3, 4, 4, 4}, {0, 5, -5}, 3, 2);
    EXPECT_EQ(p.X, (std::vector<double>{1.5, 3, 0, 2, 4, 0}));
    EXPECT_EQ(p.t, (std::vector<double>{2.5, 5, 0}));
}

TEST(RowCone, ScalesByTheQuotientFormedFirst) {
    // Row (1, 3) with bound -1: r = sqrt(10), t = (r - 1) / 2, X = (t / r) * row. Forming
    // t * 3 / r instead changes the last bit of the second element.
    const Rows p = project({1, 3}, {-1}, 1, 2);
    const double r = std::sqrt(10.0), t = (r - 1) / 2;
    ASSERT_NE((t / r) * 3, t * 3 / r);
    EXPECT_EQ(p.t[0], t);
    EXPECT_EQ(p.X, (std::vector<double>{(t / r) * 1, (t / r) * 3}));
}

TEST(RowCone, ZeroRowsAndNoColumnsKeepNonnegativeBounds) {
    // r = 0 everywhere: a bound >= 0 (-0 included) is kept with its row, a negative one
    // becomes 0 with the row.
    const Rows p = project({0.0, -0.0, -0.0, 0.0, 0.0, -0.0}, {2, -0.0, -1}, 3, 2);
    EXPECT_EQ(p.t[0], 2);
    EXPECT_TRUE(std::signbit(p.t[1]));
    EXPECT_EQ(p.t[2], 0);
    EXPECT_FALSE(std::signbit(p.t[2]));
    EXPECT_TRUE(std::signbit(p.X[1]) && !std::signbit(p.X[4]));  // row 2 copied as it was
    EXPECT_FALSE(std::signbit(p.X[2]) || std::signbit(p.X[5]));  // row 3 set to +0

    const Rows empty = project({}, {3, -0.5}, 2, 0);
    EXPECT_EQ(empty.t, (std::vector<double>{3, 0}));
}

TEST(RowCone, NaNZeroesOnlyItsRow) {
    const Rows p = project({3, 1, 3, 4, kNan, 4}, {0, 0, kNan}, 3, 2);
    EXPECT_EQ(p.X, (std::vector<double>{1.5, 0, 0, 2, 0, 0}));
    EXPECT_EQ(p.t, (std::vector<double>{2.5, 0, 0}));
}

TEST(RowCone, NonPositiveRowCountWritesNothing) {
    const std::vector<double> V = {3, 4}, c = {1};
    for (int m : {0, -1}) {
        const Rows p = project(V, c, m, 2);
        EXPECT_EQ(p.X, (std::vector<double>{-7, -7}));
        EXPECT_EQ(p.t, (std::vector<double>{-7}));
    }
}

TEST(RowCone, RandomRowsAreProjections) {
    std::mt19937_64 rng(47);
    for (int trial = 0; trial < 60; ++trial) {
        const int m = 1 + trial % 13, n = 1 + (trial * 7) % 11;
        std::vector<double> V(static_cast<std::size_t>(m) * n), c(m);
        std::vector<ConeCase> rows;
        for (int i = 0; i < m; ++i) {
            rows.push_back(randomConeCase(rng, n));
            for (int j = 0; j < n; ++j) V[i + static_cast<std::size_t>(j) * m] = rows[i].v[j];
            c[i] = rows[i].c;
        }
        const Rows p = project(V, c, m, n);
        for (int i = 0; i < m; ++i)
            ASSERT_TRUE(isConeProjection(row(p.X, m, n, i), p.t[i], rows[i].v, c[i]))
                << "trial " << trial << " row " << i;
    }
}

}  // namespace
