// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <vector>

#include "projection/projection.hpp"
#include "support/routine_failure.hpp"
#include "tests/support/console_capture.hpp"
#include "tests/support/random.hpp"
#include "tests/support/references.hpp"

namespace {

struct Projection {
    std::vector<double> x;
    double root;
    int steps;
};

Projection project(const std::vector<double>& v, double z, double lambda0 = 0) {
    Projection p{std::vector<double>(v.size(), -7.0), -7.0, -7};
    simplexShadow(p.x.data(), &p.root, &p.steps, v.data(), static_cast<int>(v.size()), z,
                  lambda0);
    return p;
}

bool identical(const Projection& a, const Projection& b) {
    if (a.steps != b.steps || std::memcmp(&a.root, &b.root, sizeof(double)) != 0) return false;
    return a.x.size() == b.x.size() &&
           std::memcmp(a.x.data(), b.x.data(), a.x.size() * sizeof(double)) == 0;
}

double l1(const std::vector<double>& x) {
    double s = 0;
    for (double value : x) s += std::fabs(value);
    return s;
}

TEST(SimplexShadow, WorkedExampleStopsOnNewtonPoint) {
    const Projection p = project({3, -1, 0.5}, 2);
    EXPECT_EQ(p.root, 1.0);
    EXPECT_EQ(p.x, (std::vector<double>{2, 0, 0}));
    EXPECT_EQ(p.steps, 2);
}

TEST(SimplexShadow, WorkedExampleEmptiesTheActiveRange) {
    const std::vector<double> v = {0.5, -2, 1.5, -0.25, 3};
    const Projection p = project(v, 2.5);
    const double root = (6.5 - 2.5) / 3;
    EXPECT_EQ(p.root, root);
    EXPECT_EQ(p.x, (std::vector<double>{0, -2 + root, 1.5 - root, 0, 3 - root}));
    EXPECT_EQ(p.steps, 1);
}

TEST(SimplexShadow, InsideTheBallReturnsVItself) {
    const std::vector<double> v = {1.5, -0.0, -2.25, 0.0};
    for (double z : {3.75, 4.0, std::numeric_limits<double>::infinity()}) {
        const Projection p = project(v, z);
        EXPECT_EQ(p.root, 0.0);
        EXPECT_EQ(p.steps, 0);
        ASSERT_EQ(p.x.size(), v.size());
        for (std::size_t i = 0; i < v.size(); ++i) {
            EXPECT_EQ(p.x[i], v[i]);
            EXPECT_EQ(std::signbit(p.x[i]), std::signbit(v[i]));
        }
    }
    const Projection zero = project({0, 0, 0}, 0);
    EXPECT_EQ(zero.x, (std::vector<double>{0, 0, 0}));
    EXPECT_EQ(zero.root, 0.0);
    EXPECT_EQ(zero.steps, 0);
}

TEST(SimplexShadow, EmptyVectorWritesOnlyRootAndSteps) {
    double sentinel = -7;
    double root = -1;
    int steps = -1;
    simplexShadow(&sentinel, &root, &steps, nullptr, 0, 1.0, 0);
    EXPECT_EQ(sentinel, -7);
    EXPECT_EQ(root, 0.0);
    EXPECT_EQ(steps, 0);
}

TEST(SimplexShadow, ZeroRadiusGivesZeroAndLargestMagnitude) {
    for (const std::vector<double>& v : {std::vector<double>{0.5, -4, 2, 0},
                                         std::vector<double>{-2, 2, 2, -2}}) {
        const Projection p = project(v, 0);
        EXPECT_EQ(p.root, 4.0 * (v[1] == -4) + 2.0 * (v[1] != -4));
        EXPECT_EQ(p.steps, 1);
        for (double value : p.x) EXPECT_EQ(value, 0.0);
    }
}

TEST(SimplexShadow, SingleNonzeroEntryKeepsItsSign) {
    Projection p = project({0, 5, 0}, 2);
    EXPECT_EQ(p.root, 3.0);
    EXPECT_EQ(p.x, (std::vector<double>{0, 2, 0}));
    EXPECT_EQ(p.steps, 1);
    p = project({0, 0, -5}, 2);
    EXPECT_EQ(p.x, (std::vector<double>{0, 0, -2}));
}

TEST(SimplexShadow, GuessOutsideTheOpenRangeIsIgnored) {
    std::mt19937_64 rng(11);
    const std::vector<double> v = testdata::awkward(rng, 200);
    const double z = 0.3 * l1(v);
    const Projection plain = project(v, z, 0);
    double largest = 0;
    for (double value : v) largest = std::max(largest, std::fabs(value));
    for (double guess : {-1.0, -0.0, largest, largest * 2,
                         std::numeric_limits<double>::quiet_NaN()})
        EXPECT_TRUE(identical(project(v, z, guess), plain)) << "guess " << guess;
}

TEST(SimplexShadow, ExactGuessEndsWithoutIterations) {
    // Threshold 1: magnitudes above it are 3 and 2, f(1) = (2 + 1) - 3 = 0.
    const Projection p = project({3, -2, 0.5, 1}, 3, 1.0);
    EXPECT_EQ(p.steps, 0);
    EXPECT_EQ(p.root, 1.0);
    EXPECT_EQ(p.x, (std::vector<double>{2, -1, 0, 0}));
}

TEST(SimplexShadow, NegativeRadiusPrintsAndWritesNothing) {
    takeConsoleOutput();
    const Projection p = project({1, 2}, -0.5);
    EXPECT_EQ(takeConsoleOutput(), "\n z should be nonnegative!\n");
    EXPECT_EQ(p.x, (std::vector<double>{-7, -7}));
    EXPECT_EQ(p.root, -7);
    EXPECT_EQ(p.steps, -7);
}

// Against a sort-based projection, on vectors with zeros, ties, repeats and sign flips, with
// and without a starting guess; every fourth radius is 1, whose threshold lies among the few
// largest magnitudes.
TEST(SimplexShadow, MatchesSortBasedProjection) {
    std::mt19937_64 rng(2024);
    std::uniform_real_distribution<double> fraction(0.0, 1.2);
    for (int trial = 0; trial < 400; ++trial) {
        const std::size_t n = 1 + trial % 97 + (trial % 7 == 0 ? 1000 : 0);
        const std::vector<double> v = testdata::awkward(rng, n);
        const double z = trial % 4 == 0 ? 1.0 : fraction(rng) * l1(v);
        double threshold;
        const std::vector<double> expected = reference::l1BallProjection(v, z, &threshold);
        for (double guess : {0.0, threshold * 0.9, threshold * 1.1}) {
            const Projection p = project(v, z, guess);
            EXPECT_NEAR(p.root, threshold, 1e-7) << "trial " << trial << " guess " << guess;
            for (std::size_t i = 0; i < n; ++i) {
                ASSERT_NEAR(p.x[i], expected[i], 1e-7) << "trial " << trial << " i " << i;
                if (v[i] == 0) {
                    EXPECT_EQ(p.x[i], 0.0);
                }
                if (p.x[i] != 0) {
                    EXPECT_EQ(std::signbit(p.x[i]), std::signbit(v[i]));
                }
            }
            EXPECT_LE(l1(p.x), z + 1e-7 * static_cast<double>(n));
        }
    }
}

// Magnitudes that do not sum to a finite number fail the call from the pass that sums them,
// naming the first non-finite element as the argument check does, whatever z is (NaN too).
TEST(SimplexShadow, FailsOnMagnitudesWithoutAFiniteSum) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const struct {
        std::vector<double> v;
        const char* reason;
        const char* message;
    } cases[] = {
        {{nan, 1, 2}, reason::notFinite, "v must be finite, but element 1 is nan"},
        {{1, 0, nan, 2, nan}, reason::notFinite, "v must be finite, but element 3 is nan"},
        {{0, -inf, inf, 3}, reason::notFinite, "v must be finite, but element 2 is -inf"},
        {{1e308, 1e308, -1e308}, reason::overflow,
         "the sum of the magnitudes of v overflows the double range"},
    };
    for (const auto& c : cases) {
        for (double z : {0.5, 0.0, nan}) {
            try {
                project(c.v, z, 0.3);
                ADD_FAILURE() << c.message << " passed with z = " << z;
            } catch (const RoutineFailure& failure) {
                EXPECT_STREQ(failure.reason(), c.reason);
                EXPECT_STREQ(failure.what(), c.message);
            }
        }
    }
}

// Far from unit scale the search still runs in range: a power-of-two scaling of the data and
// the radius scales the answer exactly, and the answer keeps its L1 norm at the radius.
TEST(SimplexShadow, ScalesWithTheDataOverTheWholeDoubleRange) {
    std::mt19937_64 rng(5);
    for (int trial = 0; trial < 6; ++trial) {
        const std::vector<double> unitData = testdata::gaussian(rng, 50 + 300 * trial);
        const double unitRadius = 0.1 * (1 + trial) * l1(unitData);
        const Projection unit = project(unitData, unitRadius);
        for (int exponent : {-900, -800, -401, 401, 800, 1000}) {
            std::vector<double> v = unitData;
            for (double& a : v) a = std::ldexp(a, exponent);
            const Projection p = project(v, std::ldexp(unitRadius, exponent));
            EXPECT_EQ(p.steps, unit.steps) << "exponent " << exponent;
            EXPECT_EQ(p.root, std::ldexp(unit.root, exponent)) << "exponent " << exponent;
            for (std::size_t i = 0; i < v.size(); ++i)
                ASSERT_EQ(p.x[i], std::ldexp(unit.x[i], exponent)) << "exponent " << exponent;
        }
    }

    // Magnitudes whose squares leave the double range, a radius far below their sum.
    std::vector<double> v(8);
    for (int i = 0; i < 8; ++i) v[i] = 1e155 * (i + 1);
    const Projection p = project(v, 1e155);
    double threshold;
    const std::vector<double> expected = reference::l1BallProjection(v, 1e155, &threshold);
    EXPECT_NEAR(l1(p.x), 1e155, 1e-12 * 1e155);
    EXPECT_NEAR(p.root, threshold, 1e-12 * threshold);
    for (int i = 0; i < 8; ++i) EXPECT_NEAR(p.x[i], expected[i], 1e-12 * 1e155) << i;
}

}  // namespace
