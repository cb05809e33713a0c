// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// Matrices without elements: a row count or column count up to 2^31 - 1 beside an empty
// array must cost nothing (no buffers of that length, no walk over rows that hold nothing)
// and give what the rows would give, each of them empty.
#include <gtest/gtest.h>

#include <vector>

#include "tests/gateway/support/modules.hpp"

namespace {

using mexhost::Array;

const double kLargest = 2147483647.0;

TEST(EmptyMatrices, RowModulesReturnEmptyResultsWhateverTheOtherSize) {
    const Array none = Array::matrix(1, 0), large = Array::scalar(kLargest), zero = Array::scalar(0);
    const Array weight = Array::scalar(0.5), two = Array::scalar(2), three = Array::scalar(3);
    for (const auto& [m, n] : {std::pair{&large, &zero}, std::pair{&zero, &large}}) {
        const mexhost::CallResult shadow =
            modules::get("powerShadowMatrix").call(1, {&none, m, n, &weight, &three});
        EXPECT_EQ(shadow.outputs[0].rows() * shadow.outputs[0].cols(), 0u);

        for (const Array* mode : {&two, &three}) {
            const mexhost::CallResult twoLevel =
                modules::get("twoLevelShadow").call(2, {&none, m, n, &weight, &weight, mode});
            EXPECT_EQ(twoLevel.outputs[1].values(), (std::vector<double>{0, 0}));
        }

        // Every row norm is 0, inside the ball: no threshold, no step.
        const Array start = Array::scalar(1);
        const mexhost::CallResult mixed =
            modules::get("mixedShadow").call(3, {&none, m, n, &weight, &start});
        EXPECT_EQ(mixed.outputs[1].values(), (std::vector<double>{0}));
        EXPECT_EQ(mixed.outputs[2].values(), (std::vector<double>{0}));
    }
}

}  // namespace
