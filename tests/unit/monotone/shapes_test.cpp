// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// The binary-heap and depth-one shapes: their tree, their worked cases, and their fits
// against the same trees given as child tables.
#include <random>

#include "tests/support/literal_tree_fit.hpp"
#include "tests/support/random.hpp"
#include "tests/unit/monotone/isotonic_references.hpp"
#include "tests/unit/monotone/tree_test_support.hpp"

namespace {

using treetest::childNodes;

const TreeBlock* childWithNode(const TreeBlock* block, int node) {
    for (const TreeBlock* child = block->firstChild(); child != nullptr;
         child = child->nextSibling())
        if (child->node == node) return child;
    return nullptr;
}

TEST(Shapes, BinaryHeapListsTheRightChildFirst) {
    const std::vector<double> v(7, 1.0);
    BlockTree root;
    initializeRootBinary(root, v.data(), 7);
    EXPECT_EQ(childNodes(root.get()), (std::vector<int>{2, 1}));
    EXPECT_EQ(childNodes(childWithNode(root.get(), 2)), (std::vector<int>{6, 5}));
    EXPECT_EQ(childNodes(childWithNode(root.get(), 1)), (std::vector<int>{4, 3}));
    EXPECT_TRUE(childNodes(childWithNode(childWithNode(root.get(), 2), 5)).empty());
}

TEST(Shapes, EvenBinaryHeapEndsWithASingleChild) {
    const std::vector<double> v(6, 1.0);
    BlockTree root;
    initializeRootBinary(root, v.data(), 2);
    EXPECT_EQ(childNodes(root.get()), std::vector<int>{1});
    initializeRootBinary(root, v.data(), 6);
    EXPECT_EQ(childNodes(childWithNode(root.get(), 2)), std::vector<int>{5});
    EXPECT_EQ(childNodes(childWithNode(root.get(), 1)), (std::vector<int>{4, 3}));
}

TEST(Shapes, DepthOneListsChildrenInDecreasingOrder) {
    const std::vector<double> v(5, 1.0);
    BlockTree root;
    initializeRootDepth1(root, v.data(), 5);
    EXPECT_EQ(childNodes(root.get()), (std::vector<int>{4, 3, 2, 1}));
    initializeRootDepth1(root, v.data(), 1);
    EXPECT_TRUE(childNodes(root.get()).empty());
}

TEST(Shapes, NoNodesNoTreeAndNothingRead) {
    BlockTree root;
    initializeRootBinary(root, nullptr, 0);
    EXPECT_EQ(root.get(), nullptr);
    initializeRootDepth1(root, nullptr, -3);
    EXPECT_EQ(root.get(), nullptr);
    double untouched = -9;
    isoHierBinary(&untouched, nullptr, 0);
    isoHierDepth1(&untouched, nullptr, 0);
    EXPECT_EQ(untouched, -9);
}

std::vector<double> fit(void (*routine)(double*, const double*, int),
                        const std::vector<double>& v) {
    std::vector<double> x(v.size(), -9);
    routine(x.data(), v.data(), static_cast<int>(v.size()));
    return x;
}

TEST(Shapes, WorkedCases) {
    EXPECT_EQ(fit(isoHierBinary, {-4}), std::vector<double>{0});
    EXPECT_EQ(fit(isoHierDepth1, {2.5}), std::vector<double>{2.5});
    EXPECT_EQ(fit(isoHierBinary, {4, 1, 2}), (std::vector<double>{4, 1, 2}));
    EXPECT_EQ(fit(isoHierBinary, {1, 5, 3}), (std::vector<double>{3, 3, 3}));
    EXPECT_EQ(fit(isoHierDepth1, {1, 5, 3}), (std::vector<double>{3, 3, 3}));
    EXPECT_EQ(fit(isoHierDepth1, {4, 1, 2}), (std::vector<double>{4, 1, 2}));
    EXPECT_EQ(fit(isoHierDepth1, {-1, -3, -2}), (std::vector<double>{0, 0, 0}));
    // Node 2 of the seven-node heap pools with its child 6 only.
    EXPECT_EQ(fit(isoHierBinary, {9, 1, 2, 0, 0, 1, 4}),
              (std::vector<double>{9, 1, 3, 0, 0, 1, 3}));
}

// The shapes build the same trees as their child tables would, so their fits agree bit for
// bit with the plain recursive form over those tables, and solve the isotonic problem.
TEST(Shapes, AgreeWithTheirChildTables) {
    std::mt19937_64 rng(8);
    for (int trial = 0; trial < 200; ++trial) {
        const int n = 1 + trial % 100;
        std::vector<double> v = testdata::gaussian(rng, static_cast<std::size_t>(n));
        if (trial % 2 == 1)
            for (double& value : v) value = std::round(value * 2);
        std::vector<double> binary(v.size()), star(v.size());
        reference::literalTreeFit(binary, testdata::balancedBinary(n), v, 0, true);
        reference::literalTreeFit(star, testdata::star(n), v, 0, true);
        ASSERT_TRUE(treetest::sameBits(fit(isoHierBinary, v), binary)) << "trial " << trial;
        ASSERT_TRUE(treetest::sameBits(fit(isoHierDepth1, v), star)) << "trial " << trial;
        if (n > 8) continue;
        const std::vector<double> optimumBinary =
            reference::bruteForceTreeFit(testdata::parents(testdata::balancedBinary(n)), v, true);
        const std::vector<double> optimumStar =
            reference::bruteForceTreeFit(testdata::parents(testdata::star(n)), v, true);
        for (int k = 0; k < n; ++k) {
            EXPECT_NEAR(binary[k], optimumBinary[k], 1e-9) << "trial " << trial;
            EXPECT_NEAR(star[k], optimumStar[k], 1e-9) << "trial " << trial;
        }
    }
}

}  // namespace
