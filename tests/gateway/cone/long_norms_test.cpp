// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// Cone projections whose norm, or norm plus bound, exceeds the largest double: finite
// answers, against norms taken by std::hypot.
#include <gtest/gtest.h>

#include <cmath>

#include "tests/gateway/support/modules.hpp"

namespace {

using mexhost::Array;

TEST(LongNormCones, RowsGroupsAndElementsGiveFiniteAnswers) {
    // Norm 2.1e308 and bound 1e308: the bound becomes (r + c) / 2, the row is scaled to it.
    const double tenth = std::hypot(1.5e307, 1.5e307);
    const double t = 5 * tenth + 0.5e308, x = 1.5e308 * (t / 10 / tenth);
    const Array row = Array::matrix(1, 2, {1.5e308, 1.5e308}), c = Array::scalar(1e308);
    const Array one = Array::scalar(1), two = Array::scalar(2), b = Array::column({0, 2});
    const mexhost::CallResult byRow = modules::get("rowCone").call(2, {&row, &c, &one, &two});
    const mexhost::CallResult byGroup =
        modules::get("powerShadowVectorR").call(2, {&row, &c, &b, &two, &one});
    for (const mexhost::CallResult* result : {&byRow, &byGroup}) {
        for (double a : result->outputs[0].values()) EXPECT_NEAR(a, x, 1e-15 * x);
        EXPECT_NEAR(result->outputs[1].values()[0], t, 1e-15 * t);
    }
    // |v| + c = 3.3e308 overflows; the bound is their half sum.
    const Array v = Array::scalar(1.7e308), bound = Array::scalar(1.6e308);
    const mexhost::CallResult element = modules::get("elementCone").call(2, {&v, &bound, &one});
    EXPECT_EQ(element.outputs[0].values()[0], 0.5 * 1.7e308 + 0.5 * 1.6e308);
    EXPECT_EQ(element.outputs[1].values()[0], 0.5 * 1.7e308 + 0.5 * 1.6e308);
}

}  // namespace
