// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
#include <gtest/gtest.h>

#include <limits>

#include "tests/gateway/support/modules.hpp"

namespace {

using mexhost::Array;

const mexhost::Module& module() { return modules::get("powerShadowVectorR"); }
std::string id(const char* reason) { return std::string("powerShadowVectorR:") + reason; }

mexhost::CallResult call(const std::vector<double>& v, const std::vector<double>& c,
                         const std::vector<double>& b) {
    const Array vArray = Array::column(v), cArray = Array::column(c), bArray = Array::column(b);
    const Array n = Array::scalar(static_cast<double>(v.size()));
    const Array g = Array::scalar(b.empty() ? 0.0 : static_cast<double>(b.size() - 1));
    return module().call(2, {&vArray, &cArray, &bArray, &n, &g});
}

TEST(PowerShadowVectorRModule, ReturnsProjectedGroupsAndBounds) {
    const mexhost::CallResult result = call({3, 4, 1}, {0, 5}, {0, 2, 3});
    ASSERT_EQ(result.outputs.size(), 2u);
    EXPECT_EQ(result.outputs[0].rows(), 3u);
    EXPECT_EQ(result.outputs[0].values(), (std::vector<double>{1.5, 2, 1}));
    EXPECT_EQ(result.outputs[1].rows(), 2u);
    EXPECT_EQ(result.outputs[1].cols(), 1u);
    EXPECT_EQ(result.outputs[1].values(), (std::vector<double>{2.5, 5}));
}

TEST(PowerShadowVectorRModule, UncoveredElementsStayZero) {
    const mexhost::CallResult result = call({7, 3, 4, 7}, {0}, {1, 3});
    EXPECT_EQ(result.outputs[0].values(), (std::vector<double>{0, 1.5, 2, 0}));
}

TEST(PowerShadowVectorRModule, NoGroupsNeedNoTable) {
    const mexhost::CallResult result = call({1, 2}, {}, {});
    EXPECT_EQ(result.outputs[0].values(), (std::vector<double>{0, 0}));
    EXPECT_EQ(result.outputs[1].rows(), 0u);
    EXPECT_EQ(result.outputs[1].cols(), 1u);
}

// Empty groups read and write no element, so their boundaries may lie anywhere.
TEST(PowerShadowVectorRModule, EmptyGroupsMayLieOutsideTheVector) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const mexhost::CallResult result = call({3, 4}, {1, -1, 2}, {9, 5, nan, nan});
    EXPECT_EQ(result.outputs[0].values(), (std::vector<double>{0, 0}));
    EXPECT_EQ(result.outputs[1].values(), (std::vector<double>{1, 0, 2}));
}

TEST(PowerShadowVectorRModule, RejectsGroupsOutsideTheVector) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const Array v = Array::column({1, 2, 3}), c = Array::column({1, 1}), n = Array::scalar(3),
                g = Array::scalar(2);
    for (const std::vector<double>& table :
         {std::vector<double>{0, 2, 4}, std::vector<double>{-1, 2, 3},
          std::vector<double>{nan, 2, 3}, std::vector<double>{0, 1, 4},
          std::vector<double>{2, 1, 5}}) {
        const Array b = Array::column(table);
        const mexhost::HostError error =
            modules::expectError(module(), 2, {&v, &c, &b, &n, &g}, id("groupOutOfRange"));
        EXPECT_NE(std::string(error.what()).find("outside the 3 elements of v"),
                  std::string::npos)
            << error.what();
    }
}

TEST(PowerShadowVectorRModule, RejectsArraysShorterThanTheirSizes) {
    const Array v = Array::column({1, 2, 3}), c = Array::column({1, 1}), b = Array::column({0, 1, 3});
    const Array n = Array::scalar(3), g = Array::scalar(2);
    const Array three = Array::scalar(3), four = Array::scalar(4);
    modules::expectError(module(), 1, {&v, &c, &b, &n, &three}, id("tooFewElements"));
    modules::expectError(module(), 1, {&v, &c, &b, &four, &g}, id("tooFewElements"));
    const Array shortTable = Array::column({0, 1});
    modules::expectError(module(), 1, {&v, &c, &shortTable, &n, &g}, id("tooFewElements"));
}

}  // namespace
