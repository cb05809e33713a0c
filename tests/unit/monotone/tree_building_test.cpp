// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// Building the tree of blocks below a root: list order, copies of shared nodes, the root
// check, and the files that describe no tree or too large a one.
#include "tests/unit/monotone/tree_test_support.hpp"

namespace {

using testdata::TempFile;
using treetest::childNodes;
using treetest::failureOf;

BlockTree build(const std::string& text, const std::vector<double>& v, int rootNumber) {
    const TempFile file(text);
    BlockTree root;
    initializeRoot(root, file.path(), v.data(), rootNumber, static_cast<int>(v.size()));
    return root;
}

// Blocks in the subtree, and whether every one is as freshly built: one node, its value.
int countFreshBlocks(const TreeBlock* block, const std::vector<double>& v) {
    EXPECT_EQ(block->done, 0u);
    EXPECT_EQ(block->num, 1);
    EXPECT_EQ(block->earlierListing(), block);
    EXPECT_EQ(block->m, v[block->node]);
    EXPECT_TRUE(treetest::linkedBothWays(block));
    int count = 1;
    for (const TreeBlock* child = block->firstChild(); child != nullptr;
         child = child->nextSibling())
        count += countFreshBlocks(child, v);
    return count;
}

TEST(TreeBuilding, ChildListsRunInReverseOfTheListedOrder) {
    const std::vector<double> v = {10, 20, 30, 40, 50, 60};
    const BlockTree root = build("1 3 2 3 4\n3 2 5 6\n", v, 1);
    EXPECT_EQ(treetest::blockNodes(root.get()), std::vector<int>{0});
    EXPECT_EQ(childNodes(root.get()), (std::vector<int>{3, 2, 1}));
    EXPECT_EQ(childNodes(root->firstChild()->nextSibling()), (std::vector<int>{5, 4}));
    EXPECT_EQ(root->nextSibling(), nullptr);
    EXPECT_EQ(countFreshBlocks(root.get(), v), 6);
}

TEST(TreeBuilding, OnlyNodesBelowTheRootTakePart) {
    const std::vector<double> v = {1, 2, 3, 4, 5};
    const BlockTree root = build("1 1 2\n3 2 4 5\n", v, 3);
    EXPECT_EQ(childNodes(root.get()), (std::vector<int>{4, 3}));
    EXPECT_EQ(countFreshBlocks(root.get(), v), 3);
    const BlockTree leaf = build("1 1 2\n", v, 4);
    EXPECT_EQ(countFreshBlocks(leaf.get(), v), 1);
}

TEST(TreeBuilding, NodeUnderTwoParentsIsCopiedWithItsSubtree) {
    const std::vector<double> v = {1, 2, 3, 4, 5};
    // Node 4 (with its child 5) under nodes 2 and 3, and twice under node 3.
    const BlockTree root = build("1 2 2 3\n2 1 4\n3 2 4 4\n4 1 5\n", v, 1);
    EXPECT_EQ(countFreshBlocks(root.get(), v), 1 + 2 + 3 * 2);
}

TEST(TreeBuilding, SharingWithinTheBoundIsBuilt) {
    // Node k listed twice under node k-1: 2^(d+1) - 1 blocks for d levels.
    std::string text;
    for (int k = 1; k <= 8; ++k)
        text +=
            std::to_string(k) + " 2 " + std::to_string(k + 1) + " " + std::to_string(k + 1) + "\n";
    const std::vector<double> v(9, 1.0);
    const BlockTree root = build(text, v, 1);
    EXPECT_EQ(countFreshBlocks(root.get(), v), 511);
}

TEST(TreeBuilding, ExponentialSharingIsRejectedBeforeBuilding) {
    std::string text;
    for (int k = 1; k <= 60; ++k)
        text +=
            std::to_string(k) + " 2 " + std::to_string(k + 1) + " " + std::to_string(k + 1) + "\n";
    const TempFile file(text);
    const std::vector<double> v(61, 1.0);
    BlockTree root;
    const treetest::Failure failure =
        failureOf([&] { initializeRoot(root, file.path(), v.data(), 1, 61); });
    EXPECT_EQ(failure.reason, "treeTooLarge");
    EXPECT_NE(failure.message.find("more than 4928 blocks"), std::string::npos) << failure.message;
    EXPECT_EQ(root.get(), nullptr);
}

TEST(TreeBuilding, NodeReachableFromItselfIsRejectedByName) {
    const std::vector<double> v(4, 1.0);
    struct Case {
        const char* text;
        int root;
        const char* named;
    };
    for (const Case& c : {Case{"2 1 2\n", 2, "node 2 is reachable from itself"},
                          Case{"1 1 2\n2 1 3\n3 2 4 1\n", 1, "node 1 is reachable from itself"},
                          Case{"1 2 2 3\n3 1 4\n4 1 3\n", 1, "node 3 is reachable from itself"}}) {
        const TempFile file(c.text);
        BlockTree root;
        const treetest::Failure failure =
            failureOf([&] { initializeRoot(root, file.path(), v.data(), c.root, 4); });
        EXPECT_EQ(failure.reason, "cyclicTree") << c.text;
        EXPECT_NE(failure.message.find(c.named), std::string::npos) << failure.message;
        EXPECT_EQ(failure.printed, "");
        EXPECT_EQ(root.get(), nullptr);
    }
    // A cycle that the root does not reach is no part of the tree.
    const BlockTree root = build("1 1 2\n3 1 4\n4 1 3\n", v, 1);
    EXPECT_EQ(countFreshBlocks(root.get(), v), 2);
}

TEST(TreeBuilding, RootIsCheckedAfterTheFile) {
    const std::vector<double> v(3, 1.0);
    const TempFile good("1 1 2\n"), bad("1 1 7\n");
    for (int rootNumber : {0, 4, -1}) {
        BlockTree root;
        treetest::Failure failure =
            failureOf([&] { initializeRoot(root, good.path(), v.data(), rootNumber, 3); });
        EXPECT_EQ(failure.reason, "rootOutOfRange");
        EXPECT_EQ(failure.printed, "\n The node number of the root should be between [1, 3]!");
        failure = failureOf([&] { initializeRoot(root, bad.path(), v.data(), rootNumber, 3); });
        EXPECT_EQ(failure.reason, "nodeOutOfRange");
        EXPECT_EQ(failure.printed, "\n The node number should be between [1, 3]!");
        EXPECT_EQ(root.get(), nullptr);
    }
}

}  // namespace
