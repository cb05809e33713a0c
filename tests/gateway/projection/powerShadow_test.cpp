// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
#include <gtest/gtest.h>

#include <cmath>

#include "tests/gateway/support/unchanged_inputs.hpp"

namespace {

using mexhost::Array;

using modules::kInf;
using modules::kNan;

const modules::Named tested("powerShadow");

TEST(PowerShadowModule, ClosedFormsAndTheInfinityCase) {
    const Array v = Array::column({3, -1, 0.5}), n = Array::scalar(3), rho = Array::scalar(2),
                guess = Array::scalar(0);
    const Array two = Array::scalar(2), infinity = Array::scalar(kInf);
    mexhost::CallResult r = unchanged::call(tested.module(), 3, {&v, &n, &rho, &two, &guess});
    ASSERT_EQ(r.outputs.size(), 3u);
    EXPECT_EQ(r.outputs[0].rows(), 3u);
    EXPECT_EQ(r.outputs[0].cols(), 1u);
    EXPECT_EQ(r.outputs[1].values(), (std::vector<double>{0}));
    EXPECT_EQ(r.outputs[2].classId(), mxDOUBLE_CLASS);
    EXPECT_EQ(r.outputs[2].values(), (std::vector<double>{0}));

    // v minus its projection onto the L1 ball of radius 2, whose threshold is 1.
    r = unchanged::call(tested.module(), 3, {&v, &n, &rho, &infinity, &guess});
    EXPECT_EQ(r.outputs[0].values(), (std::vector<double>{1, -1, 0.5}));
    EXPECT_EQ(r.outputs[1].values(), (std::vector<double>{1}));
    EXPECT_EQ(r.outputs[2].values(), (std::vector<double>{2}));
}

TEST(PowerShadowModule, GeneralExponentKeepsSignsAndLeavesVUnchanged) {
    const Array v = Array::matrix(2, 3, {3, -1, 0, -0.5, 2, 9}), n = Array::scalar(5),
                rho = Array::scalar(1), p = Array::scalar(3), guess = Array::scalar(0);
    const mexhost::CallResult r = unchanged::call(tested.module(), 3, {&v, &n, &rho, &p, &guess});
    const std::vector<double> x = r.outputs[0].values();
    ASSERT_EQ(x.size(), 5u);
    EXPECT_GT(x[0], 0.0);
    EXPECT_LT(x[1], 0.0);
    EXPECT_EQ(x[2], 0.0);
    EXPECT_LT(x[3], 0.0);
    EXPECT_GT(r.outputs[1].values()[0], 0.0);
    EXPECT_GE(r.outputs[2].values()[0], 1.0);
    EXPECT_EQ(r.printed, "");
}

TEST(PowerShadowModule, DeliversOnlyTheRequestedOutputs) {
    const Array v = Array::column({1, 2}), n = Array::scalar(2), rho = Array::scalar(1),
                p = Array::scalar(1.5), guess = Array::scalar(0);
    EXPECT_EQ(tested.module().call(0, {&v, &n, &rho, &p, &guess}).outputs.size(), 1u);
    EXPECT_EQ(tested.module().call(2, {&v, &n, &rho, &p, &guess}).outputs.size(), 2u);
}

TEST(PowerShadowModule, EmptyVector) {
    const Array v = Array::matrix(0, 0), n = Array::scalar(0), rho = Array::scalar(1),
                p = Array::scalar(3), guess = Array::scalar(0);
    const mexhost::CallResult r = tested.module().call(3, {&v, &n, &rho, &p, &guess});
    EXPECT_EQ(r.outputs[0].rows(), 0u);
    EXPECT_EQ(r.outputs[1].values(), (std::vector<double>{0}));
}

TEST(PowerShadowModule, RejectsBadArguments) {
    const Array v = Array::column({1, -2, 3}), n = Array::scalar(3), rho = Array::scalar(1),
                p = Array::scalar(3), guess = Array::scalar(0);
    const Array minus = Array::scalar(-1), four = Array::scalar(4);
    unchanged::expectError(tested.module(), 1, {&v, &four, &rho, &p, &guess},
                           tested.id("tooFewElements"));

    for (double exponent : {1.0, 2.0, 3.0, 1e6}) {
        const Array e = Array::scalar(exponent);
        const mexhost::HostError error = unchanged::expectError(
            tested.module(), 1, {&v, &n, &minus, &e, &guess}, tested.id("negativeWeight"));
        EXPECT_EQ(error.printed(), "\n rho should be non-negative!");
    }
    for (double exponent : {0.5, 0.0, -3.0, kNan}) {
        const Array e = Array::scalar(exponent);
        unchanged::expectError(tested.module(), 1, {&v, &n, &rho, &e, &guess},
                               tested.id("invalidExponent"));
    }
    const Array nanRho = Array::scalar(kNan);
    unchanged::expectError(tested.module(), 1, {&v, &n, &nanRho, &p, &guess},
                           tested.id("notFinite"));
}

// The searches (infinity case, general p) need finite data; the closed forms take any v.
TEST(PowerShadowModule, NonFiniteDataOnlyWhereASearchRuns) {
    const Array n = Array::scalar(3), rho = Array::scalar(1), guess = Array::scalar(0);
    const Array withNan = Array::column({1, kNan, 3}), withInf = Array::column({-kInf, 1, 2});
    const Array huge = Array::column({1e308, -1e308, 1});
    for (double exponent : {1.5, 3.0, 1e6, kInf}) {
        const Array p = Array::scalar(exponent);
        unchanged::expectError(tested.module(), 1, {&withNan, &n, &rho, &p, &guess},
                               tested.id("notFinite"));
        unchanged::expectError(tested.module(), 1, {&withInf, &n, &rho, &p, &guess},
                               tested.id("notFinite"));
        unchanged::expectError(tested.module(), 1, {&huge, &n, &rho, &p, &guess},
                               tested.id("overflow"));
    }
    const Array one = Array::scalar(1);
    const std::vector<double> x =
        unchanged::call(tested.module(), 1, {&withNan, &n, &rho, &one, &guess}).outputs[0].values();
    EXPECT_EQ(x[0], 0.0);
    EXPECT_TRUE(std::isnan(x[1]));
    EXPECT_EQ(x[2], 2.0);
}

}  // namespace
