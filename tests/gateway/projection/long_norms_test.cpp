// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// v = [1.5e308, 1.5e308], whose Euclidean norm 2.1e308 exceeds the largest double, through
// the modules that shrink Euclidean norms: finite answers, against norms taken by std::hypot.
#include <gtest/gtest.h>

#include <cmath>

#include "tests/gateway/support/unchanged_inputs.hpp"

namespace {

using mexhost::Array;

const double kTenth = std::hypot(1.5e307, 1.5e307);  // a tenth of the norm
// Each entry after shrinking the norm by 1e308.
const double kShrunk = 1.5e308 * (1 - 1e307 / kTenth);

void expectShrunk(const mexhost::CallResult& result) {
    for (double x : result.outputs[0].values()) EXPECT_NEAR(x, kShrunk, 1e-15 * kShrunk);
}

TEST(LongNormModules, ShrinkToFiniteResults) {
    const Array v = Array::column({1.5e308, 1.5e308}), row = Array::matrix(1, 2, {1.5e308, 1.5e308});
    const Array one = Array::scalar(1), two = Array::scalar(2), rho = Array::scalar(1e308),
                zero = Array::scalar(0);
    SCOPED_TRACE("powerShadow");
    expectShrunk(unchanged::call(modules::get("powerShadow"), 1, {&v, &two, &rho, &two, &zero}));
    SCOPED_TRACE("powerShadowVector");
    const Array b = Array::column({0, 2}), rhos = Array::column({1e308});
    expectShrunk(unchanged::call(modules::get("powerShadowVector"), 1,
                                 {&v, &b, &one, &two, &rhos, &two}));
    SCOPED_TRACE("powerShadowMatrix");
    expectShrunk(
        unchanged::call(modules::get("powerShadowMatrix"), 1, {&row, &one, &two, &rho, &two}));
    SCOPED_TRACE("twoLevelShadow");
    const mexhost::CallResult twoLevel = unchanged::call(
        modules::get("twoLevelShadow"), 2, {&row, &one, &two, &zero, &rho, &two});
    expectShrunk(twoLevel);
    const std::vector<double> N = twoLevel.outputs[1].values();
    EXPECT_NEAR(N[0], 2 * kShrunk, 2e-15 * kShrunk);
    EXPECT_NEAR(N[1], 10 * (kTenth - 1e307), 1e293);
}

TEST(LongNormModules, MixedShadowProjectsRowsPastTheLargestDouble) {
    const Array V = Array::matrix(1, 2, {1.5e308, 1.5e308}), one = Array::scalar(1),
                two = Array::scalar(2), z = Array::scalar(1e308), guess = Array::scalar(0);
    const mexhost::CallResult r =
        unchanged::call(modules::get("mixedShadow"), 2, {&V, &one, &two, &z, &guess});
    // The row shrinks to norm z: each entry z / sqrt(2); the threshold is the norm minus z.
    for (double x : r.outputs[0].values()) EXPECT_NEAR(x, 1e308 / std::sqrt(2.0), 1e293);
    EXPECT_NEAR(r.outputs[1].values()[0], 10 * (kTenth - 1e307), 1e293);
}

}  // namespace
