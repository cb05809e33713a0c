// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
#include <gtest/gtest.h>

#include <cmath>

#include "tests/gateway/support/unchanged_inputs.hpp"

namespace {

using mexhost::Array;

using modules::kNan;

const modules::Named tested("powerShadowMatrix");

TEST(PowerShadowMatrixModule, ShrinksEveryRow) {
    const Array V = Array::matrix(2, 2, {3, 0.6, 4, 0.8}), m = Array::scalar(2),
                n = Array::scalar(2), rho = Array::scalar(2.5), p = Array::scalar(2);
    const mexhost::CallResult r = unchanged::call(tested.module(), 1, {&V, &m, &n, &rho, &p});
    EXPECT_EQ(r.outputs[0].rows(), 2u);
    EXPECT_EQ(r.outputs[0].cols(), 2u);
    EXPECT_EQ(r.outputs[0].values(), (std::vector<double>{1.5, 0, 2, 0}));
}

TEST(PowerShadowMatrixModule, InfinityRowsAndEmptyShapes) {
    // Row 1: (3, -1) minus its projection onto the L1 ball of radius 1, (1, 0): (2, -1).
    // Row 2: L1 norm 1 <= 1, so the projection is the row itself and the result 0.
    const Array V = Array::matrix(2, 2, {3, 0.5, -1, -0.5}), m = Array::scalar(2),
                n = Array::scalar(2), rho = Array::scalar(1), p = Array::scalar(1e6);
    EXPECT_EQ(unchanged::call(tested.module(), 1, {&V, &m, &n, &rho, &p}).outputs[0].values(),
              (std::vector<double>{2, 0, -1, 0}));
    const Array zero = Array::scalar(0), three = Array::scalar(3), empty = Array::matrix(0, 0);
    mexhost::CallResult r = unchanged::call(tested.module(), 1, {&empty, &zero, &three, &rho, &p});
    EXPECT_EQ(r.outputs[0].rows(), 0u);
    EXPECT_EQ(r.outputs[0].cols(), 3u);
    r = unchanged::call(tested.module(), 1, {&empty, &three, &zero, &rho, &p});
    EXPECT_EQ(r.outputs[0].rows(), 3u);
    EXPECT_EQ(r.outputs[0].cols(), 0u);
}

TEST(PowerShadowMatrixModule, RejectsBadArguments) {
    const Array V = Array::matrix(2, 2, {1, 2, 3, 4}), m = Array::scalar(2), n = Array::scalar(2),
                rho = Array::scalar(1), p = Array::scalar(3);
    const Array three = Array::scalar(3);
    unchanged::expectError(tested.module(), 1, {&V, &three, &n, &rho, &p},
                           tested.id("tooFewElements"));
    const Array minus = Array::scalar(-1);
    const mexhost::HostError error = unchanged::expectError(
        tested.module(), 1, {&V, &m, &n, &minus, &p}, tested.id("negativeWeight"));
    EXPECT_EQ(error.printed(), "\n rho should be non-negative!");
    const Array nan = Array::scalar(kNan);
    unchanged::expectError(tested.module(), 1, {&V, &m, &n, &rho, &nan},
                           tested.id("invalidExponent"));
    unchanged::expectError(tested.module(), 1, {&V, &m, &n, &nan, &p}, tested.id("notFinite"));

    const Array withNan = Array::matrix(2, 2, {1, 2, kNan, 4});
    unchanged::expectError(tested.module(), 1, {&withNan, &m, &n, &rho, &p},
                           tested.id("notFinite"));
    const Array one = Array::scalar(1);
    unchanged::call(tested.module(), 1, {&withNan, &m, &n, &rho, &one});
    const Array hugeRow = Array::matrix(2, 2, {1, 1e308, 1, 1e308});
    unchanged::expectError(tested.module(), 1, {&hugeRow, &m, &n, &rho, &p}, tested.id("overflow"));
}

}  // namespace
