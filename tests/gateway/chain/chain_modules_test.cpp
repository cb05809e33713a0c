// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
#include <gtest/gtest.h>

#include <string>

#include "tests/gateway/support/modules.hpp"
#include "tests/gateway/support/vector_fit.hpp"

namespace {

using mexhost::Array;

class ChainModule : public modules::EachModule {};

INSTANTIATE_TEST_SUITE_P(Both, ChainModule, testing::Values("chainAscend", "chainDescend"),
                         modules::moduleName);

TEST_P(ChainModule, ReturnsTheFit) {
    const Array v = Array::matrix(1, 4, {3, 1, 2, -5}), n = Array::scalar(3);
    modules::expectFit(module(), v, 3, {3, 1.5, 1.5});
    EXPECT_EQ(module().call(0, {&v, &n}).outputs.size(), 1u);
}

TEST_P(ChainModule, RejectsShortOrNonFiniteSequences) {
    const double nan = modules::kNan;
    const double inf = modules::kInf;
    const Array v = Array::column({1, 2, 3}), n = Array::scalar(3);
    const Array four = Array::scalar(4);
    modules::expectError(module(), 1, {&v, &four}, id("tooFewElements"));
    for (double bad : {nan, inf, -inf}) {
        const Array withBad = Array::column({1, bad, 3});
        modules::expectError(module(), 1, {&withBad, &n}, id("notFinite"));
    }
    const Array huge = Array::column({1e308, 1e308, 1});
    modules::expectError(module(), 1, {&huge, &n}, id("overflow"));
}

TEST(ChainAscendModule, EmptySequencePrintsThenRaises) {
    const Array empty = Array::matrix(0, 0), zero = Array::scalar(0.7);
    const mexhost::HostError error = modules::expectError(modules::get("chainAscend"), 1,
                                                          {&empty, &zero},
                                                          "chainAscend:nonPositiveLength");
    EXPECT_EQ(error.printed(), "\n n=0 should be an integer over 1!");
}

TEST(ChainDescendModule, EmptySequenceGivesAnEmptyFit) {
    const Array empty = Array::matrix(0, 0), zero = Array::scalar(0);
    const mexhost::CallResult result = modules::get("chainDescend").call(1, {&empty, &zero});
    EXPECT_EQ(result.outputs[0].rows(), 0u);
    EXPECT_EQ(result.outputs[0].cols(), 1u);
    EXPECT_EQ(result.printed, "");
}

}  // namespace
