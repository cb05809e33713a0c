// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// A NaN in the data is rejected: the cone tests would both fail on it and return 0.
#include <gtest/gtest.h>

#include <limits>

#include "tests/gateway/support/modules.hpp"

namespace {

using mexhost::Array;
const double kNan = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();

TEST(ConeModules, RejectNaNAndAcceptInfinity) {
    const Array two = Array::scalar(2), one = Array::scalar(1);
    const Array nanV = Array::column({kNan, 3}), nanC = Array::column({1, kNan}),
                ones = Array::column({1, 1}), v = Array::column({4, 3});
    const mexhost::Module& element = modules::get("elementCone");
    modules::expectError(element, 2, {&nanV, &ones, &two}, "elementCone:notFinite");
    modules::expectError(element, 2, {&v, &nanC, &two}, "elementCone:notFinite");
    const Array infC = Array::column({kInf, 1});
    const mexhost::CallResult kept = element.call(2, {&v, &infC, &two});
    EXPECT_EQ(kept.outputs[0].values(), (std::vector<double>{4, 2}));

    const Array row = Array::matrix(1, 2, {kNan, 3}), c = Array::scalar(1);
    modules::expectError(modules::get("rowCone"), 2, {&row, &c, &one, &two}, "rowCone:notFinite");
    const Array b = Array::column({0, 2});
    modules::expectError(modules::get("powerShadowVectorR"), 2, {&nanV, &c, &b, &two, &one},
                         "powerShadowVectorR:notFinite");
}

}  // namespace
