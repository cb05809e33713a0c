// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "support/routine_failure.hpp"
#include "projection/group_table.hpp"
#include "projection/projection.hpp"
#include "tests/support/console_capture.hpp"
#include "tests/support/random.hpp"
#include "tests/unit/projection/shadow_checks.hpp"

namespace {

const double kNan = std::numeric_limits<double>::quiet_NaN();

std::vector<double> groupShadow(const std::vector<double>& v, const std::vector<double>& b,
                                const std::vector<double>& rho, double p) {
    std::vector<double> x(v.size(), -7);
    powerShadowVector(x.data(), v.data(), b.data(), static_cast<int>(rho.size()),
                      static_cast<int>(v.size()), rho.data(), p);
    return x;
}

std::vector<double> rowShadow(const std::vector<double>& V, int m, int n, double rho, double p) {
    std::vector<double> X(V.size(), -7);
    powerShadowMatrix(X.data(), V.data(), m, n, rho, p);
    return X;
}

template <class Call>
std::string failureReason(Call&& call) {
    try {
        call();
    } catch (const RoutineFailure& failure) {
        return failure.reason();
    }
    return "";
}

TEST(PowerShadowVector, EqualsPowerShadowGroupByGroup) {
    std::mt19937_64 rng(31);
    const std::vector<double> v = testdata::awkward(rng, 40);
    const std::vector<double> b = {0, 7, 7, 19, 33, 40};
    const std::vector<double> rho = {0.5, 3, 1.2, 0, 2};
    for (double p : {1.0, 1.5, 2.0, 3.0, 1e6}) {
        const std::vector<double> x = groupShadow(v, b, rho, p);
        for (std::size_t k = 0; k < rho.size(); ++k) {
            const auto start = static_cast<std::size_t>(b[k]);
            const std::vector<double> slice(v.begin() + start, v.begin() + b[k + 1]);
            const shadowtest::Shadow piece = shadowtest::shadow(slice, rho[k], p, 0);
            const std::vector<double> got(x.begin() + start, x.begin() + b[k + 1]);
            EXPECT_TRUE(shadowtest::sameBits(got, piece.x)) << "p " << p << " group " << k;
        }
    }
}

TEST(PowerShadowVector, TruncatesStartsAndLengthsAndLeavesUncoveredElements) {
    // Group 0 = elements 0 and 1, group 1 = element 2 (start 2, length trunc(1.3) = 1).
    const std::vector<double> x = groupShadow({3, -4, 5, 9}, {0, 2.7, 4}, {2.5, 1}, 2);
    EXPECT_EQ(x, (std::vector<double>{1.5, -2, 4, -7}));
}

TEST(PowerShadowVector, ChecksEveryWeightBeforeTheFirstGroup) {
    takeConsoleOutput();
    const std::vector<double> v = {1, 2, 3, 4};
    std::vector<double> x(4, -7);
    const std::vector<double> b = {0, 2, 4};
    const std::vector<double> rho = {1, -0.5};
    EXPECT_EQ(failureReason(
                  [&] { powerShadowVector(x.data(), v.data(), b.data(), 2, 4, rho.data(), 1.5); }),
              "negativeWeight");
    EXPECT_EQ(takeConsoleOutput(), "\n rho should be non-negative!");
    EXPECT_EQ(x, (std::vector<double>(4, -7)));
    EXPECT_EQ(failureReason(
                  [&] { powerShadowVector(x.data(), v.data(), b.data(), 0, 4, rho.data(), 0.5); }),
              "invalidExponent");
    EXPECT_EQ(x, (std::vector<double>(4, -7)));
}

TEST(GroupTable, FindsTheFirstGroupOutsideTheVector) {
    struct Case {
        std::vector<double> b;
        int n;
        int misplaced;
    };
    const Case cases[] = {
        {{0, 2.7, 4}, 4, -1}, {{0, 0, 0}, 0, -1}, {{-0.5, 3}, 3, -1}, {{1, 3, 4.9}, 4, -1},
        {{0, 3, 5}, 4, 1},    {{-1, 2}, 4, 0},    {{0, 3, 1}, 4, 1},  {{kNan, 1}, 4, 0},
        {{0, kNan}, 4, 0},    {{0, 1e300}, 4, 0}, {{3e9, 3e9}, 4, 0}, {{0, 2, 3.5, 1.8}, 4, 2},
    };
    for (const Case& c : cases)
        EXPECT_EQ(firstGroupOutsideByLength(c.b.data(), static_cast<int>(c.b.size()) - 1, c.n),
                  c.misplaced)
            << c.b[0] << " " << c.b[1];
    // A decrease by less than one truncates to an empty group, which fits.
    const double shallow[] = {2.5, 2.1};
    EXPECT_EQ(groupOfTable(shallow, 0).length, 0);
    EXPECT_EQ(firstGroupOutsideByLength(shallow, 1, 3), -1);
}

// Rows in order, each infinity-case row starting from the previous row's multiplier.
TEST(PowerShadowMatrix, EqualsPowerShadowRowByRow) {
    std::mt19937_64 rng(41);
    const int m = 9, n = 13;
    const std::vector<double> V = testdata::awkward(rng, m * n);
    for (double p : {1.0, 2.0, 1.7, 4.0, 1e6}) {
        const std::vector<double> X = rowShadow(V, m, n, 1.1, p);
        double c0 = 0;
        for (int i = 0; i < m; ++i) {
            std::vector<double> row(n);
            for (int j = 0; j < n; ++j) row[j] = V[i + j * m];
            const shadowtest::Shadow s = shadowtest::shadow(row, 1.1, p, c0);
            c0 = s.c;
            for (int j = 0; j < n; ++j)
                ASSERT_EQ(X[i + j * m], s.x[j]) << "p " << p << " row " << i << " column " << j;
        }
    }
}

TEST(PowerShadowMatrix, EuclideanRowsShrinkByRho) {
    const std::vector<double> X = rowShadow({3, 0.6, 4, 0.8}, 2, 2, 2.5, 2);
    EXPECT_EQ(X, (std::vector<double>{1.5, 0, 2, 0}));
}

TEST(PowerShadowMatrix, EmptyShapesAndFailuresWriteNothing) {
    EXPECT_TRUE(rowShadow({}, 0, 5, 1, 3).empty());
    EXPECT_TRUE(rowShadow({}, 4, 0, 1, 1e6).empty());
    takeConsoleOutput();
    std::vector<double> X(4, -7);
    const std::vector<double> V = {1, 2, 3, 4};
    EXPECT_EQ(failureReason([&] { powerShadowMatrix(X.data(), V.data(), 2, 2, -1, 3); }),
              "negativeWeight");
    EXPECT_EQ(takeConsoleOutput(), "\n rho should be non-negative!");
    EXPECT_EQ(failureReason([&] { powerShadowMatrix(X.data(), V.data(), 2, 2, 1, kNan); }),
              "invalidExponent");
    EXPECT_EQ(X, (std::vector<double>(4, -7)));
}

}  // namespace
