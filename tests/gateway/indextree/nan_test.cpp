// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// A NaN in the data is rejected where it would vanish from the answer (the prox and the ratio
// ceiling) and reaches the output where it lands (the penalty value).
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "tests/gateway/support/modules.hpp"

namespace {

using mexhost::Array;
const double kNan = std::numeric_limits<double>::quiet_NaN();

TEST(IndexTreeModules, NaNIsRejectedOrReachesTheValue) {
    const Array v = Array::column({kNan, 4}), n = Array::scalar(2);
    const Array ind = Array::column({1, 2, 1}), nodes = Array::scalar(1);
    modules::expectError(modules::get("treeprox"), 1, {&v, &n, &ind, &nodes}, "treeprox:notFinite");
    modules::expectError(modules::get("groupRatioCeiling"), 1, {&v, &n, &ind, &nodes},
                         "groupRatioCeiling:notFinite");
    const Array V = Array::matrix(1, 2, {kNan, 4}), one = Array::scalar(1);
    modules::expectError(modules::get("treeprox_mt"), 1, {&V, &one, &n, &ind, &nodes},
                         "treeprox_mt:notFinite");
    const mexhost::CallResult value = modules::get("penaltyValue").call(1, {&v, &n, &ind, &nodes});
    EXPECT_TRUE(std::isnan(value.outputs[0].values()[0]));
    // A NaN weight would zero its group: every tree module rejects it.
    const Array w = Array::column({3, 4}), nanWeight = Array::column({1, 2, kNan});
    modules::expectError(modules::get("treeprox"), 1, {&w, &n, &nanWeight, &nodes},
                         "treeprox:notFinite");
    modules::expectError(modules::get("penaltyValue"), 1, {&w, &n, &nanWeight, &nodes},
                         "penaltyValue:notFinite");
}

}  // namespace
