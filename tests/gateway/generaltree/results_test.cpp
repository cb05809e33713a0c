// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// What the general index-tree modules return, through the host.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "tests/gateway/support/modules.hpp"

namespace {

using mexhost::Array;

const double kInf = std::numeric_limits<double>::infinity();

std::vector<double> only(const mexhost::CallResult& result) {
    EXPECT_EQ(result.outputs.size(), 1u);
    return result.outputs[0].values();
}

TEST(GeneralTreeproxModules, VectorAndRows) {
    const Array v = Array::column({3, 0, 4}), n = Array::scalar(3), G = Array::matrix(1, 2, {1, 3});
    const Array ind = Array::column({1, 2, 2.5}), nodes = Array::scalar(1);
    const mexhost::CallResult result =
        modules::get("general_treeprox").call(1, {&v, &n, &G, &ind, &nodes});
    EXPECT_EQ(result.outputs[0].cols(), 1u);
    EXPECT_EQ(only(result), (std::vector<double>{1.5, 0, 2}));

    const Array V = Array::matrix(2, 3, {3, 1, 0, 1, 4, 0}), rows = Array::scalar(2);
    const mexhost::CallResult matrix =
        modules::get("general_treeprox_mt").call(1, {&V, &rows, &n, &G, &ind, &nodes});
    EXPECT_EQ(matrix.outputs[0].rows(), 2u);
    EXPECT_EQ(only(matrix), (std::vector<double>{1.5, 0, 0, 1, 2, 0}));
}

TEST(GeneralMeasureModules, PenaltyAndCriticalWeight) {
    const Array x = Array::column({3, 0, 4}), n = Array::scalar(3), G = Array::matrix(1, 2, {1, 3});
    const Array two = Array::column({1, 2, 2}), one = Array::column({1, 2, 1}),
                nodes = Array::scalar(1);
    EXPECT_EQ(only(modules::get("general_penaltyValue").call(1, {&x, &n, &G, &two, &nodes})),
              (std::vector<double>{10}));
    EXPECT_EQ(only(modules::get("general_criticalWeight").call(1, {&x, &n, &G, &one, &nodes})),
              (std::vector<double>{5}));

    // Position 2 is non-zero and no slice lists it.
    const Array y = Array::column({3, 1, 4});
    EXPECT_EQ(only(modules::get("general_criticalWeight").call(1, {&y, &n, &G, &one, &nodes})),
              (std::vector<double>{kInf}));

    const Array V = Array::matrix(2, 3, {3, 0, 0, 0, 4, 0}), rows = Array::scalar(2);
    EXPECT_EQ(
        only(modules::get("general_criticalWeight_mt").call(1, {&V, &rows, &n, &G, &one, &nodes})),
        (std::vector<double>{5}));
    const Array nan = Array::matrix(2, 3, {3, 0, 0, std::nan(""), 4, 0});
    modules::expectError(modules::get("general_criticalWeight_mt"), 1,
                         {&nan, &rows, &n, &G, &one, &nodes},
                         "general_criticalWeight_mt:notFinite");
    const Array z = Array::column({3, std::nan(""), 4});
    modules::expectError(modules::get("general_criticalWeight"), 1, {&z, &n, &G, &one, &nodes},
                         "general_criticalWeight:notFinite");
}

}  // namespace
