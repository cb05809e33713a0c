// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// A NaN in the data is rejected by the prox, where it would come out as 0, and reaches the
// penalty value.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "tests/gateway/support/modules.hpp"

namespace {

using mexhost::Array;
const double kNan = std::numeric_limits<double>::quiet_NaN();

TEST(GeneralTreeModules, NaNIsRejectedOrReachesTheValue) {
    const Array v = Array::column({kNan, 4}), n = Array::scalar(2), G = Array::matrix(1, 2, {1, 2});
    const Array ind = Array::column({1, 2, 1}), nodes = Array::scalar(1);
    modules::expectError(modules::get("general_treeprox"), 1, {&v, &n, &G, &ind, &nodes},
                         "general_treeprox:notFinite");
    const Array V = Array::matrix(1, 2, {kNan, 4}), one = Array::scalar(1);
    modules::expectError(modules::get("general_treeprox_mt"), 1, {&V, &one, &n, &G, &ind, &nodes},
                         "general_treeprox_mt:notFinite");
    const mexhost::CallResult value =
        modules::get("general_penaltyValue").call(1, {&v, &n, &G, &ind, &nodes});
    EXPECT_TRUE(std::isnan(value.outputs[0].values()[0]));
    const Array w = Array::column({3, 4}), nanWeight = Array::column({1, 2, kNan});
    modules::expectError(modules::get("general_treeprox"), 1, {&w, &n, &G, &nanWeight, &nodes},
                         "general_treeprox:notFinite");
}

}  // namespace
