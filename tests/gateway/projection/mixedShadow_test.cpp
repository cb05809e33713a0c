// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
#include <gtest/gtest.h>


#include "tests/gateway/support/unchanged_inputs.hpp"

namespace {

using mexhost::Array;

using modules::kInf;
using modules::kNan;

const modules::Named tested("mixedShadow");

TEST(MixedShadowModule, ReturnsProjectionThresholdAndInt32Steps) {
    // Row norms 5 and 1; their L1-ball threshold for radius 3 is 2.
    const Array V = Array::matrix(2, 2, {3, 0, 4, 1}), m = Array::scalar(2), n = Array::scalar(2),
                z = Array::scalar(3), guess = Array::scalar(0);
    const mexhost::CallResult r = unchanged::call(tested.module(), 3, {&V, &m, &n, &z, &guess});
    ASSERT_EQ(r.outputs.size(), 3u);
    const std::vector<double> X = r.outputs[0].values();
    EXPECT_EQ(r.outputs[0].rows(), 2u);
    EXPECT_EQ(r.outputs[0].cols(), 2u);
    EXPECT_NEAR(X[0], 1.8, 1e-15);
    EXPECT_NEAR(X[2], 2.4, 1e-15);
    EXPECT_EQ(X[1], 0.0);
    EXPECT_EQ(X[3], 0.0);
    EXPECT_EQ(r.outputs[1].values(), (std::vector<double>{2}));
    EXPECT_EQ(r.outputs[2].classId(), mxINT32_CLASS);
    EXPECT_GE(r.outputs[2].values()[0], 1.0);
}

TEST(MixedShadowModule, InsideTheBallReturnsV) {
    const Array V = Array::matrix(2, 2, {3, 0, 4, 1}), m = Array::scalar(2), n = Array::scalar(2),
                z = Array::scalar(kInf), guess = Array::scalar(0);
    const mexhost::CallResult r = unchanged::call(tested.module(), 3, {&V, &m, &n, &z, &guess});
    EXPECT_EQ(r.outputs[0].values(), V.values());
    EXPECT_EQ(r.outputs[1].values(), (std::vector<double>{0}));
    EXPECT_EQ(r.outputs[2].values(), (std::vector<double>{0}));
}

TEST(MixedShadowModule, RejectsBadArguments) {
    const Array V = Array::matrix(2, 2, {3, 0, 4, 1}), m = Array::scalar(2), n = Array::scalar(2),
                z = Array::scalar(3), guess = Array::scalar(0);
    const Array three = Array::scalar(3);
    unchanged::expectError(tested.module(), 1, {&V, &m, &three, &z, &guess},
                           tested.id("tooFewElements"));
    const Array minus = Array::scalar(-1);
    const mexhost::HostError error = unchanged::expectError(
        tested.module(), 3, {&V, &m, &n, &minus, &guess}, tested.id("negativeRadius"));
    EXPECT_EQ(error.printed(), "\n z should be nonnegative!\n");
    const Array nan = Array::scalar(kNan);
    unchanged::expectError(tested.module(), 1, {&V, &m, &n, &nan, &guess}, tested.id("notFinite"));
    const Array withInf = Array::matrix(2, 2, {3, kInf, 4, 1});
    unchanged::expectError(tested.module(), 1, {&withInf, &m, &n, &z, &guess},
                           tested.id("notFinite"));
    // A row norm of 2.1e308 and the radius 3: the threshold exceeds the largest double.
    const Array huge = Array::matrix(2, 2, {1.5e308, 0, 1.5e308, 0});
    unchanged::expectError(tested.module(), 1, {&huge, &m, &n, &z, &guess}, tested.id("overflow"));
}

}  // namespace
