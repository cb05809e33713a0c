// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
#include <gtest/gtest.h>

#include <limits>

#include "tests/gateway/support/modules.hpp"

namespace {

using mexhost::Array;

const mexhost::Module& module() { return modules::get("elementCone"); }
std::string id(const char* reason) { return std::string("elementCone:") + reason; }

TEST(ElementConeModule, ReturnsProjectedValuesAndBounds) {
    const Array v = Array::column({3, -3, 1, 0.5}), c = Array::column({1, 1, -3, 2});
    const Array n = Array::scalar(4);
    const mexhost::CallResult result = module().call(2, {&v, &c, &n});
    ASSERT_EQ(result.outputs.size(), 2u);
    for (const Array& output : result.outputs) {
        EXPECT_EQ(output.rows(), 4u);
        EXPECT_EQ(output.cols(), 1u);
    }
    EXPECT_EQ(result.outputs[0].values(), (std::vector<double>{2, -2, 0, 0.5}));
    EXPECT_EQ(result.outputs[1].values(), (std::vector<double>{2, 2, 0, 2}));
    EXPECT_EQ(result.printed, "");
}

TEST(ElementConeModule, ReadsTheFirstNOfAnyShapeAndLeavesTheInputs) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const Array v = Array::matrix(2, 2, {3, -3, nan, nan}), c = Array::matrix(1, 3, {1, 1, nan});
    const Array before = v.copy();
    const Array n = Array::scalar(2.9);
    const mexhost::CallResult result = module().call(1, {&v, &c, &n});
    ASSERT_EQ(result.outputs.size(), 1u);
    EXPECT_EQ(result.outputs[0].values(), (std::vector<double>{2, -2}));
    EXPECT_TRUE(v.sameAs(before));
}

TEST(ElementConeModule, EmptyInput) {
    const Array empty = Array::matrix(0, 0);
    for (double size : {0.0, -0.5}) {
        const Array n = Array::scalar(size);
        const mexhost::CallResult result = module().call(2, {&empty, &empty, &n});
        EXPECT_EQ(result.outputs[0].rows(), 0u);
        EXPECT_EQ(result.outputs[1].rows(), 0u);
        EXPECT_EQ(result.outputs[1].cols(), 1u);
    }
}

TEST(ElementConeModule, RejectsVectorsShorterThanN) {
    const Array v = Array::column({1, 2}), c = Array::column({1, 2}), three = Array::scalar(3);
    const Array longer = Array::column({1, 2, 3});
    modules::expectError(module(), 1, {&v, &longer, &three}, id("tooFewElements"));
    modules::expectError(module(), 1, {&longer, &c, &three}, id("tooFewElements"));
}

}  // namespace
