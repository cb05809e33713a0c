// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
#include <gtest/gtest.h>

#include "tests/gateway/support/modules.hpp"

namespace {

using mexhost::Array;

const mexhost::Module& module() { return modules::get("rowCone"); }
std::string id(const char* reason) { return std::string("rowCone:") + reason; }

TEST(RowConeModule, ReturnsProjectedRowsAndBounds) {
    const Array V = Array::matrix(3, 2, {3, 3, 3, 4, 4, 4}), c = Array::column({0, 5, -5});
    const Array m = Array::scalar(3), n = Array::scalar(2);
    const mexhost::CallResult result = module().call(2, {&V, &c, &m, &n});
    ASSERT_EQ(result.outputs.size(), 2u);
    EXPECT_EQ(result.outputs[0].rows(), 3u);
    EXPECT_EQ(result.outputs[0].cols(), 2u);
    EXPECT_EQ(result.outputs[0].values(), (std::vector<double>{1.5, 3, 0, 2, 4, 0}));
    EXPECT_EQ(result.outputs[1].rows(), 3u);
    EXPECT_EQ(result.outputs[1].cols(), 1u);
    EXPECT_EQ(result.outputs[1].values(), (std::vector<double>{2.5, 5, 0}));
}

TEST(RowConeModule, ReadsTheFirstMTimesNInColumnOrder) {
    // A row vector holding a 2-by-2 matrix and one element more.
    const Array V = Array::matrix(1, 5, {3, 0, 4, 0, 99}), c = Array::column({0, 1});
    const Array before = V.copy();
    const Array m = Array::scalar(2), n = Array::scalar(2);
    const mexhost::CallResult result = module().call(2, {&V, &c, &m, &n});
    EXPECT_EQ(result.outputs[0].values(), (std::vector<double>{1.5, 0, 2, 0}));
    EXPECT_EQ(result.outputs[1].values(), (std::vector<double>{2.5, 1}));
    EXPECT_TRUE(V.sameAs(before));
}

TEST(RowConeModule, EmptyShapes) {
    const Array empty = Array::matrix(0, 0), zero = Array::scalar(0), three = Array::scalar(3);
    mexhost::CallResult result = module().call(2, {&empty, &empty, &zero, &three});
    EXPECT_EQ(result.outputs[0].rows(), 0u);
    EXPECT_EQ(result.outputs[0].cols(), 3u);
    EXPECT_EQ(result.outputs[1].rows(), 0u);

    const Array c = Array::column({2, -1, 0});
    result = module().call(2, {&empty, &c, &three, &zero});
    EXPECT_EQ(result.outputs[0].rows(), 3u);
    EXPECT_EQ(result.outputs[0].cols(), 0u);
    EXPECT_EQ(result.outputs[1].values(), (std::vector<double>{2, 0, 0}));
}

TEST(RowConeModule, RejectsArraysSmallerThanTheirSizes) {
    const Array V = Array::matrix(2, 3), c = Array::column({1, 2});
    const Array m = Array::scalar(2);
    const Array four = Array::scalar(4), three = Array::scalar(3), two = Array::scalar(2);
    modules::expectError(module(), 1, {&V, &c, &m, &four}, id("tooFewElements"));
    modules::expectError(module(), 1, {&V, &c, &three, &two}, id("tooFewElements"));
}

TEST(RowConeModule, RowsWithoutElementsKeepTheirBoundsInTheCone) {
    // Each empty row has norm 0: a nonnegative bound stays, a negative one becomes 0.
    const Array none = Array::matrix(3, 0), c = Array::column({2, -1, 0});
    const Array m = Array::scalar(3), n = Array::scalar(0);
    const mexhost::CallResult result = modules::get("rowCone").call(2, {&none, &c, &m, &n});
    EXPECT_EQ(result.outputs[1].values(), (std::vector<double>{2, 0, 0}));
}

}  // namespace
