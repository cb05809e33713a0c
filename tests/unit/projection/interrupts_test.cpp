// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// Ctrl-C in the projection routines: the searches over a long vector (the bisection on the
// multiplier, the search in logarithms, the L1-ball search) and the row and group loops, whose
// rows and groups are each too short to poll on their own.
#include <gtest/gtest.h>

#include <cstddef>
#include <random>
#include <vector>

#include "projection/multiplier.hpp"
#include "projection/projection.hpp"
#include "tests/support/interrupt_hook.hpp"
#include "tests/support/random.hpp"

namespace {

const int kLength = 200000;

TEST(ProjectionInterrupts, SearchesOverALongVectorStop) {
    std::mt19937_64 rng(5);
    const std::vector<double> v = testdata::gaussian(rng, kLength);
    std::vector<double> x(v.size());
    double c = 0;
    int steps[2] = {0, 0};
    const auto general = [&] { powerShadow(x.data(), &c, steps, v.data(), kLength, 10, 3, 0); };
    EXPECT_EQ(reasonUnderInterrupt(general), "interrupted");
    EXPECT_NO_THROW(general());

    Magnitudes m = scaledMagnitudesOf(v.data(), kLength);
    const auto inLogarithms = [&] { searchShadowNorm(x.data(), m.a, 10, 3); };
    EXPECT_EQ(reasonUnderInterrupt(inLogarithms), "interrupted");

    const auto l1Ball = [&] { simplexShadow(x.data(), &c, steps, v.data(), kLength, 1, 0); };
    EXPECT_EQ(reasonUnderInterrupt(l1Ball), "interrupted");
    EXPECT_NO_THROW(l1Ball());
}

TEST(ProjectionInterrupts, ManyShortRowsOrGroupsStop) {
    const int rows = kLength, cols = 2;
    std::mt19937_64 rng(6);
    const std::vector<double> V = testdata::gaussian(rng, static_cast<std::size_t>(rows) * cols);
    std::vector<double> X(V.size());
    std::vector<double> b(rows + 1), rho(rows, 0.5);
    for (int k = 0; k <= rows; ++k) b[k] = 2.0 * k;  // groups of two
    double lambda = 0, N[2];
    int steps = 0;
    for (double p : {2.0, 3.0}) {
        EXPECT_EQ(reasonUnderInterrupt([&] {
                      powerShadowMatrix(X.data(), V.data(), rows, cols, 0.5, p);
                  }),
                  "interrupted")
            << "p = " << p;
        EXPECT_EQ(reasonUnderInterrupt([&] {
                      powerShadowVector(X.data(), V.data(), b.data(), rows, rows * cols,
                                        rho.data(), p);
                  }),
                  "interrupted")
            << "p = " << p;
    }
    EXPECT_EQ(reasonUnderInterrupt([&] {
                  mixedShadow(X.data(), &lambda, &steps, V.data(), rows, cols, 1, 0);
              }),
              "interrupted");
    for (int mode : {1, 2})
        EXPECT_EQ(reasonUnderInterrupt([&] {
                      twoLevelShadow(X.data(), N, V.data(), rows, cols, 0.1, 0.1, mode);
                  }),
                  "interrupted")
            << "mode " << mode;
}

}  // namespace
