// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// The projections do not depend on the units of the data: scaling v (and the radius or the
// weight) scales the result, at every scale, and at unit scale nothing has changed.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

#include "projection/projection.hpp"
#include "tests/support/random.hpp"
#include "tests/support/references.hpp"
#include "tests/unit/projection/shadow_checks.hpp"

namespace {

const double kScales[] = {1e-12, 1e-9, 1e-6, 1e-3, 1, 1e3, 1e6, 1e9, 1e12};

std::vector<double> scaled(std::vector<double> v, double s) {
    for (double& a : v) a *= s;
    return v;
}

double largestMagnitude(const std::vector<double>& v) {
    double m = 0;
    for (double a : v) m = std::max(m, std::fabs(a));
    return m;
}

// Gaussian entries, a tenth of them a million times smaller.
std::vector<double> withTinyEntries(std::mt19937_64& rng, std::size_t n) {
    std::vector<double> v = testdata::gaussian(rng, n);
    for (std::size_t i = 0; i < n; i += 10) v[i] *= 1e-6;
    return v;
}

double dualNorm(const std::vector<double>& v, double p) {
    return static_cast<double>(shadowtest::pNorm(shadowtest::wide(v), shadowtest::dualExponent(p)));
}

TEST(ScaleInvariance, SimplexShadowMatchesTheSortBasedProjectionAtEveryScale) {
    std::mt19937_64 rng(81);
    for (double s : kScales) {
        for (int trial = 0; trial < 20; ++trial) {
            const std::vector<double> v = scaled(testdata::gaussian(rng, 100 + 45 * trial), s);
            long double l1 = 0;
            for (double a : v) l1 += std::fabs(a);
            const double z = static_cast<double>(0.3L * l1);
            double expectedRoot;
            const std::vector<double> expected = reference::l1BallProjection(v, z, &expectedRoot);
            std::vector<double> x(v.size());
            double root;
            int steps;
            simplexShadow(x.data(), &root, &steps, v.data(), static_cast<int>(v.size()), z, 0);
            const double unit = largestMagnitude(v);
            long double xl1 = 0;
            for (std::size_t i = 0; i < v.size(); ++i) {
                ASSERT_NEAR(x[i], expected[i], 1e-9 * unit) << "scale " << s;
                xl1 += std::fabs(x[i]);
            }
            EXPECT_LE(xl1, z * (1 + 1e-12L)) << "scale " << s << " trial " << trial;
            EXPECT_NEAR(root, expectedRoot, 1e-9 * expectedRoot) << "scale " << s;
        }
    }
}

// Scaling by a power of two is exact, so the results scale exactly.
TEST(ScaleInvariance, PowersOfTwoScaleTheResultsExactly) {
    std::mt19937_64 rng(83);
    const std::vector<double> v = testdata::awkward(rng, 300);
    const double z = 0.2 * static_cast<double>(dualNorm(v, 1e6));
    for (int k : {-60, -20, -1, 1, 7, 40}) {
        const double s = std::ldexp(1.0, k);
        std::vector<double> x(300), xs(300);
        double root, roots;
        int steps, stepss;
        simplexShadow(x.data(), &root, &steps, v.data(), 300, z, 0);
        const std::vector<double> vs = scaled(v, s);
        simplexShadow(xs.data(), &roots, &stepss, vs.data(), 300, z * s, 0);
        EXPECT_TRUE(shadowtest::sameBits(xs, scaled(x, s))) << "2^" << k;
        EXPECT_EQ(roots, root * s);
        EXPECT_EQ(stepss, steps);
        for (double p : {1.5, 3.0, 10.0}) {
            const double rho = 0.5 * dualNorm(v, p);
            const shadowtest::Shadow unit = shadowtest::shadow(v, rho, p);
            const shadowtest::Shadow big = shadowtest::shadow(vs, rho * s, p);
            EXPECT_TRUE(shadowtest::sameBits(big.x, scaled(unit.x, s))) << "2^" << k << " p " << p;
            EXPECT_EQ(big.iterSteps[0], unit.iterSteps[0]);
            EXPECT_NEAR(big.c, unit.c * std::pow(s, 2 - p), 1e-12 * big.c);
        }
    }
}

// The optimality conditions of the norm shadow, and x(s v, s rho) = s x(v, rho), at every
// scale from 1e-6 to 1e6, on vectors whose smallest entries are a million times smaller than
// the largest.
TEST(ScaleInvariance, NormShadowIsOptimalAndScalesAtEveryScale) {
    std::mt19937_64 rng(89);
    for (double p : {1.05, 1.1, 1.5, 2.5, 3.0, 5.0, 7.0, 10.0, 15.0, 20.0}) {
        for (int trial = 0; trial < 4; ++trial) {
            const std::vector<double> v = withTinyEntries(rng, 100);
            const double rho = (trial % 2 == 0 ? 0.5 : 0.3) * dualNorm(v, p);
            const shadowtest::Shadow unit = shadowtest::shadow(v, rho, p);
            const double largest = largestMagnitude(unit.x);
            for (double s : {1e-6, 1e-3, 1.0, 1e3, 1e6}) {
                SCOPED_TRACE(testing::Message()
                             << "p " << p << " scale " << s << " trial " << trial);
                const std::vector<double> vs = scaled(v, s);
                const shadowtest::Shadow got = shadowtest::shadow(vs, rho * s, p);
                shadowtest::expectNormShadow(vs, got.x, rho * s, p, 1e-7, 1e-7);
                for (std::size_t i = 0; i < v.size(); ++i)
                    ASSERT_NEAR(got.x[i], s * unit.x[i], 1e-7 * s * largest);
            }
        }
    }
}

// Larger p: the bracket of the multiplier spans hundreds of orders of magnitude.
TEST(ScaleInvariance, LargeExponentsReachTheSameAccuracy) {
    std::mt19937_64 rng(97);
    for (double p : {40.0, 100.0}) {
        for (int trial = 0; trial < 6; ++trial) {
            const std::vector<double> v = scaled(withTinyEntries(rng, 100), trial % 2 ? 1e-4 : 1e5);
            const double rho = 0.5 * dualNorm(v, p);
            const shadowtest::Shadow got = shadowtest::shadow(v, rho, p);
            SCOPED_TRACE(testing::Message() << "p " << p << " trial " << trial);
            shadowtest::expectNormShadow(v, got.x, rho, p, 1e-7, 1e-7);
        }
    }
}

// The modules built on the L1-ball search inherit its independence of the units.
TEST(ScaleInvariance, MixedNormProjectionAtTinyAndHugeScales) {
    std::mt19937_64 rng(101);
    const int m = 40, n = 6;
    const std::vector<double> V = testdata::gaussian(rng, m * n);
    for (double s : {1e-12, 1e12}) {
        const std::vector<double> Vs = scaled(V, s);
        std::vector<double> norms(m);
        for (int i = 0; i < m; ++i) {
            long double sum = 0;
            for (int j = 0; j < n; ++j)
                sum += static_cast<long double>(Vs[i + j * m]) * Vs[i + j * m];
            norms[i] = static_cast<double>(std::sqrt(sum));
        }
        double total = 0;
        for (double r : norms) total += r;
        double threshold;
        const std::vector<double> target =
            reference::l1BallProjection(norms, 0.3 * total, &threshold);
        std::vector<double> X(V.size());
        double lambda;
        int steps;
        mixedShadow(X.data(), &lambda, &steps, Vs.data(), m, n, 0.3 * total, 0);
        EXPECT_NEAR(lambda, threshold, 1e-9 * threshold) << "scale " << s;
        for (int i = 0; i < m; ++i)
            for (int j = 0; j < n; ++j)
                ASSERT_NEAR(X[i + j * m], Vs[i + j * m] * (target[i] / norms[i]), 1e-9 * s * 4);
    }
}

// At 2^800 and 2^-800, where plain sums of squares overflow or underflow, the closed form for
// p = 2 and the general p give their unit-scale results scaled.
TEST(ScaleInvariance, NormShadowsAtTheEndsOfTheRange) {
    std::mt19937_64 rng(85);
    const std::vector<double> v = testdata::gaussian(rng, 20);
    for (double p : {1.5, 2.0, 3.0}) {
        const double rho = 0.5 * dualNorm(v, p);
        const shadowtest::Shadow unit = shadowtest::shadow(v, rho, p);
        for (int e : {800, -800}) {
            const double s = std::ldexp(1.0, e);
            const shadowtest::Shadow far = shadowtest::shadow(scaled(v, s), rho * s, p);
            for (std::size_t i = 0; i < v.size(); ++i)
                EXPECT_NEAR(far.x[i] / s, unit.x[i], 1e-9) << "p " << p << ", 2^" << e;
        }
    }
}

// The row norms of the matrix shadows, at 2^800 and 2^-800 and at 1e-170, where their plain
// sums of squares overflow or underflow.
TEST(ScaleInvariance, MatrixShadowsAtTheEndsOfTheRange) {
    std::mt19937_64 rng(87);
    const int m = 4, n = 7;
    const std::vector<double> V = testdata::gaussian(rng, m * n);
    std::vector<double> X(m * n), N(2);
    double lambda;
    int steps;
    twoLevelShadow(X.data(), N.data(), V.data(), m, n, 0.2, 0.9, 2);
    std::vector<double> Y(m * n);
    mixedShadow(Y.data(), &lambda, &steps, V.data(), m, n, 1.5, 0);
    for (double s : {std::ldexp(1.0, 800), std::ldexp(1.0, -800), 1e-170}) {
        const std::vector<double> Vs = scaled(V, s);
        std::vector<double> Xs(m * n), Ns(2), Ys(m * n);
        twoLevelShadow(Xs.data(), Ns.data(), Vs.data(), m, n, 0.2 * s, 0.9 * s, 2);
        mixedShadow(Ys.data(), &lambda, &steps, Vs.data(), m, n, 1.5 * s, 0);
        for (int k = 0; k < m * n; ++k) {
            ASSERT_NEAR(Xs[k] / s, X[k], 1e-9) << "scale " << s;
            EXPECT_NEAR(Ys[k] / s, Y[k], 1e-9) << "scale " << s;
        }
        EXPECT_NEAR(Ns[0] / s, N[0], 1e-9 * N[0]);
        EXPECT_NEAR(Ns[1] / s, N[1], 1e-9 * N[1]);
    }
    // Rows of norms 5e-170 and 1e-170 onto the ball of radius 3e-170: the threshold is
    // 2e-170, which keeps 3/5 of the first row and clears the second.
    const std::vector<double> tiny = {3e-170, 0, 4e-170, 1e-170};
    std::vector<double> Z(4);
    mixedShadow(Z.data(), &lambda, &steps, tiny.data(), 2, 2, 3e-170, 0);
    const double expected[] = {1.8e-170, 0, 2.4e-170, 0};
    for (int k = 0; k < 4; ++k) EXPECT_NEAR(Z[k], expected[k], 1e-9 * 1e-170) << k;
}

}  // namespace
