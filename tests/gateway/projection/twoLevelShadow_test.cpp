// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
#include <gtest/gtest.h>

#include <cmath>

#include "tests/gateway/support/unchanged_inputs.hpp"

namespace {

using mexhost::Array;

using modules::kInf;
using modules::kNan;

const modules::Named tested("twoLevelShadow");

TEST(TwoLevelShadowModule, EuclideanModeReturnsTheNorms) {
    const Array V = Array::matrix(1, 2, {3, 4}), m = Array::scalar(1), n = Array::scalar(2),
                lambda1 = Array::scalar(0), lambda2 = Array::scalar(2.5), mode = Array::scalar(2);
    const mexhost::CallResult r =
        unchanged::call(tested.module(), 2, {&V, &m, &n, &lambda1, &lambda2, &mode});
    ASSERT_EQ(r.outputs.size(), 2u);
    EXPECT_EQ(r.outputs[0].values(), (std::vector<double>{1.5, 2}));
    EXPECT_EQ(r.outputs[1].rows(), 1u);
    EXPECT_EQ(r.outputs[1].cols(), 2u);
    EXPECT_EQ(r.outputs[1].values(), (std::vector<double>{3.5, 2.5}));
}

TEST(TwoLevelShadowModule, InfinityModeClipsRows) {
    // Row (3, -1) after no element step: its L1-ball threshold for radius 2 is 1.
    const Array V = Array::matrix(1, 2, {3, -1}), m = Array::scalar(1), n = Array::scalar(2),
                lambda1 = Array::scalar(0), lambda2 = Array::scalar(2);
    for (double mode : {0.0, 1.0, 1.9, -2.0, 3.0, kNan}) {
        const Array k = Array::scalar(mode);
        const mexhost::CallResult r =
            unchanged::call(tested.module(), 2, {&V, &m, &n, &lambda1, &lambda2, &k});
        EXPECT_EQ(r.outputs[0].values(), (std::vector<double>{1, -1})) << mode;
        EXPECT_EQ(r.outputs[1].values(), (std::vector<double>{0, 0}));
    }
}

TEST(TwoLevelShadowModule, RejectsBadArguments) {
    const Array V = Array::matrix(1, 2, {3, 4}), m = Array::scalar(1), n = Array::scalar(2),
                weight = Array::scalar(1), two = Array::scalar(2), one = Array::scalar(1);
    const Array three = Array::scalar(3);
    unchanged::expectError(tested.module(), 1, {&V, &three, &n, &weight, &weight, &two},
                           tested.id("tooFewElements"));
    const Array minus = Array::scalar(-1), nan = Array::scalar(kNan);
    for (const Array* mode : {&two, &one}) {
        unchanged::expectError(tested.module(), 1, {&V, &m, &n, &minus, &weight, mode},
                               tested.id("negativeWeight"));
        unchanged::expectError(tested.module(), 1, {&V, &m, &n, &weight, &minus, mode},
                               tested.id("negativeWeight"));
        unchanged::expectError(tested.module(), 1, {&V, &m, &n, &nan, &weight, mode},
                               tested.id("notFinite"));
        unchanged::expectError(tested.module(), 1, {&V, &m, &n, &weight, &nan, mode},
                               tested.id("notFinite"));
    }
    // A NaN in V would come out as 0 in either mode.
    const Array withNan = Array::matrix(1, 2, {kNan, 4}), half = Array::scalar(0.5);
    for (const Array* mode : {&two, &one})
        unchanged::expectError(tested.module(), 1, {&withNan, &m, &n, &half, &one, mode},
                               tested.id("notFinite"));
    // The infinity mode searches every row, so V must be finite there; mode 2 takes Inf.
    const Array withInf = Array::matrix(1, 2, {kInf, 4});
    unchanged::expectError(tested.module(), 1, {&withInf, &m, &n, &weight, &weight, &one},
                           tested.id("notFinite"));
    const std::vector<double> X =
        unchanged::call(tested.module(), 1, {&withInf, &m, &n, &weight, &weight, &two})
            .outputs[0]
            .values();
    EXPECT_TRUE(std::isnan(X[0]));
    const Array huge = Array::matrix(1, 2, {1e308, 1e308});
    unchanged::expectError(tested.module(), 1, {&huge, &m, &n, &weight, &weight, &one},
                           tested.id("overflow"));
}

}  // namespace
