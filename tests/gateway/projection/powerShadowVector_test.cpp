// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
#include <gtest/gtest.h>

#include <cmath>

#include "tests/gateway/support/unchanged_inputs.hpp"

namespace {

using mexhost::Array;

using modules::kNan;

const modules::Named tested("powerShadowVector");

TEST(PowerShadowVectorModule, ShrinksEachGroupWithItsWeight) {
    const Array v = Array::column({3, 4, 0, -1, 2}), b = Array::matrix(1, 3, {0, 2, 5}),
                g = Array::scalar(2), n = Array::scalar(5), rho = Array::matrix(1, 2, {2.5, 1}),
                p = Array::scalar(2);
    const mexhost::CallResult r = unchanged::call(tested.module(), 1, {&v, &b, &g, &n, &rho, &p});
    ASSERT_EQ(r.outputs.size(), 1u);
    EXPECT_EQ(r.outputs[0].rows(), 5u);
    EXPECT_EQ(r.outputs[0].cols(), 1u);
    const std::vector<double> x = r.outputs[0].values();
    EXPECT_EQ(x[0], 1.5);
    EXPECT_EQ(x[1], 2.0);
    EXPECT_EQ(x[2], 0.0);
    const double k = (std::sqrt(5.0) - 1) / std::sqrt(5.0);
    EXPECT_EQ(x[3], -1 * k);
    EXPECT_EQ(x[4], 2 * k);
}

TEST(PowerShadowVectorModule, UncoveredElementsAreZero) {
    const Array v = Array::column({3, -4, 5, 9}), b = Array::column({0, 2.7, 4}),
                g = Array::scalar(2), n = Array::scalar(4), rho = Array::column({2.5, 1}),
                p = Array::scalar(2);
    EXPECT_EQ(unchanged::call(tested.module(), 1, {&v, &b, &g, &n, &rho, &p}).outputs[0].values(),
              (std::vector<double>{1.5, -2, 4, 0}));
    const Array none = Array::scalar(0), empty = Array::matrix(0, 0);
    EXPECT_EQ(unchanged::call(tested.module(), 1, {&v, &empty, &none, &n, &empty, &p})
                  .outputs[0]
                  .values(),
              (std::vector<double>{0, 0, 0, 0}));
}

TEST(PowerShadowVectorModule, RejectsTablesOutsideTheVector) {
    const Array v = Array::column({1, 2, 3, 4}), g = Array::scalar(2), n = Array::scalar(4),
                rho = Array::column({1, 1}), p = Array::scalar(3);
    for (const std::vector<double>& table :
         {std::vector<double>{-1, 2, 4}, std::vector<double>{0, 3, 1}, std::vector<double>{0, 2, 5},
          std::vector<double>{0, kNan, 4}, std::vector<double>{0, 2, 1e300}}) {
        const Array b = Array::column(table);
        unchanged::expectError(tested.module(), 1, {&v, &b, &g, &n, &rho, &p},
                               tested.id("groupOutOfRange"));
    }
    const Array shortTable = Array::column({0, 2}), oneWeight = Array::column({1}),
                b = Array::column({0, 2, 4});
    unchanged::expectError(tested.module(), 1, {&v, &shortTable, &g, &n, &rho, &p},
                           tested.id("tooFewElements"));
    unchanged::expectError(tested.module(), 1, {&v, &b, &g, &n, &oneWeight, &p},
                           tested.id("tooFewElements"));
}

TEST(PowerShadowVectorModule, RejectsBadWeightsAndExponents) {
    const Array v = Array::column({1, 2, 3, 4}), b = Array::column({0, 2, 4}), g = Array::scalar(2),
                n = Array::scalar(4), p = Array::scalar(1.5);
    const Array lastNegative = Array::column({1, -2});
    const mexhost::HostError error = unchanged::expectError(
        tested.module(), 1, {&v, &b, &g, &n, &lastNegative, &p}, tested.id("negativeWeight"));
    EXPECT_EQ(error.printed(), "\n rho should be non-negative!");
    const Array nanWeight = Array::column({kNan, 1}), rho = Array::column({1, 1});
    unchanged::expectError(tested.module(), 1, {&v, &b, &g, &n, &nanWeight, &p},
                           tested.id("notFinite"));
    const Array half = Array::scalar(0.5);
    unchanged::expectError(tested.module(), 1, {&v, &b, &g, &n, &rho, &half},
                           tested.id("invalidExponent"));
}

TEST(PowerShadowVectorModule, NonFiniteDataOnlyMattersInsideSearchedGroups) {
    const Array v = Array::column({1, kNan, 3, 4, kNan}), b = Array::column({2, 4}),
                g = Array::scalar(1), n = Array::scalar(5), rho = Array::column({1});
    const Array three = Array::scalar(3);
    // Element 2 and 5 lie outside the only group.
    EXPECT_EQ(
        unchanged::call(tested.module(), 1, {&v, &b, &g, &n, &rho, &three}).outputs[0].values()[0],
        0.0);
    const Array wide = Array::column({0, 3});
    unchanged::expectError(tested.module(), 1, {&v, &wide, &g, &n, &rho, &three},
                           tested.id("notFinite"));
    const Array two = Array::scalar(2);
    unchanged::call(tested.module(), 1, {&v, &wide, &g, &n, &rho, &two});
    const Array huge = Array::column({1e308, 1e308}), hugeTable = Array::column({0, 2}),
                hugeN = Array::scalar(2);
    unchanged::expectError(tested.module(), 1, {&huge, &hugeTable, &g, &hugeN, &rho, &three},
                           tested.id("overflow"));
}

}  // namespace
