// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// At 2^800 and 2^-800 times unit-scale data and bounds, where plain sums of squares overflow
// or underflow, the cone projections give their unit-scale results scaled.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "cone/cone.hpp"

namespace {

TEST(ConeScale, RowAndGroupProjectionsScaleAtTheEndsOfTheRange) {
    // Two rows of three: one outside the cone, one inside.
    const std::vector<double> V = {3, 0.1, -4, 0.2, 1, 0.1}, c = {1, 0.5}, b = {0, 3, 6};
    std::vector<double> X(6), t(2), x(6), tg(2);
    rowCone(X.data(), t.data(), V.data(), c.data(), 2, 3);
    powerShadowVectorR(x.data(), tg.data(), V.data(), c.data(), b.data(), 6, 2);
    for (int e : {800, -800}) {
        const double s = std::ldexp(1.0, e);
        std::vector<double> Vs(V), cs(c), Xs(6), ts(2), xs(6), tgs(2);
        for (double& a : Vs) a *= s;
        for (double& a : cs) a *= s;
        rowCone(Xs.data(), ts.data(), Vs.data(), cs.data(), 2, 3);
        powerShadowVectorR(xs.data(), tgs.data(), Vs.data(), cs.data(), b.data(), 6, 2);
        for (int k = 0; k < 6; ++k) {
            EXPECT_NEAR(Xs[k] / s, X[k], 1e-9) << "2^" << e;
            EXPECT_NEAR(xs[k] / s, x[k], 1e-9) << "2^" << e;
        }
        for (int k = 0; k < 2; ++k) {
            EXPECT_NEAR(ts[k] / s, t[k], 1e-9) << "2^" << e;
            EXPECT_NEAR(tgs[k] / s, tg[k], 1e-9) << "2^" << e;
        }
    }
}

}  // namespace
