// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// The two shape modules through the embedded host.
#include <gtest/gtest.h>


#include "tests/gateway/support/modules.hpp"
#include "tests/gateway/support/vector_fit.hpp"

namespace {

using mexhost::Array;

class ShapeModule : public modules::EachModule {};

TEST_P(ShapeModule, FitsTheFirstNValues) {
    const Array v = Array::matrix(2, 2, {1, 5, 3, modules::kNan});
    modules::expectFit(module(), v, 3.7, {3, 3, 3});
}

TEST_P(ShapeModule, NoNodesGiveAnEmptyFitWithoutReadingV) {
    const Array empty = Array::matrix(0, 0), n = Array::scalar(0);
    const mexhost::CallResult result = module().call(0, {&empty, &n});
    ASSERT_EQ(result.outputs.size(), 1u);
    EXPECT_EQ(result.outputs[0].rows(), 0u);
    EXPECT_EQ(result.outputs[0].cols(), 1u);
}

TEST_P(ShapeModule, RejectsBadArguments) {
    const Array v = Array::column({1, 2}), n = Array::scalar(2);
    const Array three = Array::scalar(3);
    modules::expectError(module(), 1, {&v, &three}, id("tooFewElements"));
    const Array withInf = Array::column({1, modules::kInf});
    modules::expectError(module(), 1, {&withInf, &n}, id("notFinite"));
    const Array huge = Array::column({-1e308, 1.7e308, 1.7e308});
    modules::expectError(module(), 1, {&huge, &three}, id("overflow"));
}

INSTANTIATE_TEST_SUITE_P(Modules, ShapeModule, testing::Values("isoHierBinary", "isoHierDepth1"),
                         modules::moduleName);

// The shapes differ beyond three nodes. In the heap, node 3 pools with its child 7 and then
// the root with both; in the star, the root pools with node 7 only.
TEST(ShapeModules, HeapAndStarDiffer) {
    const Array v = Array::column({2, 1, 2, 0, 0, 1, 4}), n = Array::scalar(7);
    const double pooled = (2.0 * 3 + 1.0 * 2) / 3;
    EXPECT_EQ(modules::get("isoHierBinary").call(1, {&v, &n}).outputs[0].values(),
              (std::vector<double>{pooled, 1, pooled, 0, 0, 1, pooled}));
    EXPECT_EQ(modules::get("isoHierDepth1").call(1, {&v, &n}).outputs[0].values(),
              (std::vector<double>{3, 1, 2, 0, 0, 1, 3}));
}

}  // namespace
