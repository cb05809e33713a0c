// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// What the index-tree modules return, through the host.
#include <gtest/gtest.h>

#include <limits>

#include "tests/gateway/support/modules.hpp"

namespace {

using mexhost::Array;

const double kInf = std::numeric_limits<double>::infinity();

std::vector<double> only(const mexhost::CallResult& result) {
    EXPECT_EQ(result.outputs.size(), 1u);
    EXPECT_EQ(result.printed, "");
    return result.outputs[0].values();
}

TEST(TreeproxModule, ReturnsAColumnFromTheFirstNElementsAndLeavesVUnchanged) {
    const Array v = Array::matrix(2, 2, {3, -1, 0.5, 99}), n = Array::scalar(3.7);
    const Array ind = Array::matrix(3, 2, {-1, -1, 1, 1, 3, 1}), nodes = Array::scalar(2);
    const Array before = v.copy();
    const mexhost::CallResult result = modules::get("treeprox").call(0, {&v, &n, &ind, &nodes});
    EXPECT_EQ(result.outputs[0].rows(), 3u);
    EXPECT_EQ(result.outputs[0].cols(), 1u);
    EXPECT_EQ(only(result), (std::vector<double>{1, 0, 0}));
    EXPECT_TRUE(v.sameAs(before));

    const Array empty = Array::matrix(0, 0), zero = Array::scalar(0);
    const mexhost::CallResult none = modules::get("treeprox").call(1, {&empty, &zero, &ind, &zero});
    EXPECT_EQ(none.outputs[0].rows(), 0u);
    EXPECT_EQ(none.outputs[0].cols(), 1u);
}

TEST(TreeproxModule, RowWiseKeepsTheShape) {
    const Array V = Array::matrix(2, 2, {3, 1, 4, 0}), rows = Array::scalar(2),
                cols = Array::scalar(2), ind = Array::column({1, 2, 2.5}), nodes = Array::scalar(1);
    const mexhost::CallResult result =
        modules::get("treeprox_mt").call(1, {&V, &rows, &cols, &ind, &nodes});
    EXPECT_EQ(result.outputs[0].rows(), 2u);
    EXPECT_EQ(result.outputs[0].cols(), 2u);
    EXPECT_EQ(only(result), (std::vector<double>{1.5, 0, 2, 0}));

    // No rows: a 0-by-cols result; the table is checked but not applied.
    const Array none = Array::scalar(0), empty = Array::matrix(0, 0),
                bad = Array::column({-1, 2, 1});
    const mexhost::CallResult nothing =
        modules::get("treeprox_mt").call(1, {&empty, &none, &cols, &bad, &nodes});
    EXPECT_EQ(nothing.outputs[0].rows(), 0u);
    EXPECT_EQ(nothing.outputs[0].cols(), 2u);
}

TEST(MeasureModules, PenaltyAndGroupRatio) {
    const Array x = Array::column({3, -4}), n = Array::scalar(2);
    const Array ind = Array::matrix(3, 2, {-1, -1, 0.5, 1, 2, 2}), nodes = Array::scalar(2);
    EXPECT_EQ(only(modules::get("penaltyValue").call(1, {&x, &n, &ind, &nodes})),
              (std::vector<double>{13.5}));
    // The L1 node's ratio is max |x_i| / w0 = 8; the group's 5 / 2.
    EXPECT_EQ(only(modules::get("groupRatioCeiling").call(1, {&x, &n, &ind, &nodes})),
              (std::vector<double>{8}));
}

TEST(CriticalWeightModules, WorkedExamplesAndDecidedAnswers) {
    const mexhost::Module& module = modules::get("criticalWeight");
    const Array node = Array::column({1, 2, 1}), one = Array::scalar(1), two = Array::scalar(2);
    const Array v = Array::column({3, 4});
    EXPECT_EQ(only(module.call(1, {&v, &two, &node, &one})), (std::vector<double>{5}));

    const Array zeros = Array::column({0, -0.0}), empty = Array::matrix(0, 1),
                zero = Array::scalar(0);
    EXPECT_EQ(only(module.call(1, {&zeros, &two, &node, &one})), (std::vector<double>{0}));
    const Array emptyNode = Array::column({1, 0, 1});
    EXPECT_EQ(only(module.call(1, {&empty, &zero, &emptyNode, &one})), (std::vector<double>{0}));
    const Array first = Array::column({1, 1, 1}), unweighted = Array::column({1, 2, 0});
    EXPECT_EQ(only(module.call(1, {&v, &two, &first, &one})), (std::vector<double>{kInf}));
    EXPECT_EQ(only(module.call(1, {&v, &two, &unweighted, &one})), (std::vector<double>{kInf}));

    const Array V = Array::matrix(2, 2, {3, 1, 4, 0});
    EXPECT_EQ(only(modules::get("criticalWeight_mt").call(1, {&V, &two, &two, &node, &one})),
              (std::vector<double>{5}));
    EXPECT_EQ(only(modules::get("criticalWeight_mt").call(1, {&V, &zero, &two, &node, &one})),
              (std::vector<double>{0}));
}

TEST(CriticalWeightModules, RejectNonFiniteData) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const Array node = Array::column({1, 2, 1}), one = Array::scalar(1), two = Array::scalar(2);
    for (double bad : {nan, kInf, -kInf}) {
        const Array v = Array::column({3, bad});
        modules::expectError(modules::get("criticalWeight"), 1, {&v, &two, &node, &one},
                             "criticalWeight:notFinite");
        const Array V = Array::matrix(1, 2, {3, bad});
        modules::expectError(modules::get("criticalWeight_mt"), 1, {&V, &one, &two, &node, &one},
                             "criticalWeight_mt:notFinite");
    }
    // Only the first n entries are read.
    const Array v = Array::column({3, 4, nan});
    EXPECT_EQ(only(modules::get("criticalWeight").call(1, {&v, &two, &node, &one})),
              (std::vector<double>{5}));
}

}  // namespace
