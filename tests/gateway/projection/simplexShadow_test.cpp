// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
#include <gtest/gtest.h>

#include <cmath>

#include "tests/gateway/support/modules.hpp"

namespace {

using mexhost::Array;

const modules::Named tested("simplexShadow");

TEST(SimplexShadowModule, ReturnsProjectionThresholdAndSteps) {
    const Array v = Array::column({3, -1, 0.5});
    const Array n = Array::scalar(3), z = Array::scalar(2), guess = Array::scalar(0);
    const mexhost::CallResult result = tested.module().call(3, {&v, &n, &z, &guess});
    ASSERT_EQ(result.outputs.size(), 3u);
    EXPECT_EQ(result.outputs[0].rows(), 3u);
    EXPECT_EQ(result.outputs[0].cols(), 1u);
    EXPECT_EQ(result.outputs[0].values(), (std::vector<double>{2, 0, 0}));
    EXPECT_EQ(result.outputs[1].values(), (std::vector<double>{1}));
    EXPECT_EQ(result.outputs[2].classId(), mxDOUBLE_CLASS);
    EXPECT_EQ(result.outputs[2].values(), (std::vector<double>{2}));
    EXPECT_EQ(result.printed, "");
}

TEST(SimplexShadowModule, ReadsTheFirstNElementsOfAnyShapeAndLeavesVUnchanged) {
    const Array v = Array::matrix(2, 3, {3, -1, 0.5, 9, 9, 9});
    const Array before = v.copy();
    const Array n = Array::scalar(3.9), z = Array::scalar(2), guess = Array::scalar(0);
    const mexhost::CallResult result = tested.module().call(1, {&v, &n, &z, &guess});
    ASSERT_EQ(result.outputs.size(), 1u);
    EXPECT_EQ(result.outputs[0].values(), (std::vector<double>{2, 0, 0}));
    EXPECT_TRUE(v.sameAs(before));
}

TEST(SimplexShadowModule, DeliversOnlyTheRequestedOutputs) {
    const Array v = Array::column({1, 2}), n = Array::scalar(2), z = Array::scalar(1),
                guess = Array::scalar(0);
    EXPECT_EQ(tested.module().call(0, {&v, &n, &z, &guess}).outputs.size(), 1u);
    EXPECT_EQ(tested.module().call(2, {&v, &n, &z, &guess}).outputs.size(), 2u);
}

TEST(SimplexShadowModule, EmptyInput) {
    const Array v = Array::matrix(0, 0), n = Array::scalar(0), z = Array::scalar(1),
                guess = Array::scalar(0);
    const mexhost::CallResult result = tested.module().call(3, {&v, &n, &z, &guess});
    EXPECT_EQ(result.outputs[0].rows(), 0u);
    EXPECT_EQ(result.outputs[1].values(), (std::vector<double>{0}));
    EXPECT_EQ(result.outputs[2].values(), (std::vector<double>{0}));
}

TEST(SimplexShadowModule, NegativeRadiusPrintsThenRaises) {
    const Array v = Array::column({1, 2}), n = Array::scalar(2), z = Array::scalar(-1),
                guess = Array::scalar(0);
    const mexhost::HostError error =
        modules::expectError(tested.module(), 3, {&v, &n, &z, &guess}, tested.id("negativeRadius"));
    EXPECT_EQ(error.printed(), "\n z should be nonnegative!\n");
}

TEST(SimplexShadowModule, RejectsBadArguments) {
    const double nan = modules::kNan;
    const double inf = modules::kInf;
    const Array v = Array::column({1, 2, 3}), n = Array::scalar(3), z = Array::scalar(1),
                guess = Array::scalar(0);

    const Array four = Array::scalar(4);
    modules::expectError(tested.module(), 1, {&v, &four, &z, &guess}, tested.id("tooFewElements"));

    const Array withNan = Array::column({1, nan, 3}), withInf = Array::column({1, 2, -inf});
    modules::expectError(tested.module(), 1, {&withNan, &n, &z, &guess}, tested.id("notFinite"));
    modules::expectError(tested.module(), 1, {&withInf, &n, &z, &guess}, tested.id("notFinite"));
    const Array nanRadius = Array::scalar(nan);
    modules::expectError(tested.module(), 1, {&v, &n, &nanRadius, &guess}, tested.id("notFinite"));
    const Array huge = Array::column({1e308, 1e308, 1});
    modules::expectError(tested.module(), 1, {&huge, &n, &z, &guess}, tested.id("overflow"));
}

TEST(SimplexShadowModule, ValuesBeyondNAreNotRead) {
    const double nan = modules::kNan;
    const Array v = Array::column({3, -1, 0.5, nan}), n = Array::scalar(3), z = Array::scalar(2),
                guess = Array::scalar(0);
    EXPECT_EQ(tested.module().call(1, {&v, &n, &z, &guess}).outputs[0].values(),
              (std::vector<double>{2, 0, 0}));
}

}  // namespace
