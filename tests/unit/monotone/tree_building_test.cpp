// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// Building the tree of blocks below a root: list order, copies of shared nodes, the root
// check, and the files that describe no tree or too large a one.
#include <random>

#include "monotone/building.hpp"
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

TEST(TreeBuilding, ExponentialSharingIsRejected) {
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

// The table of a file, and the tree below a root built the long way: the whole check, then
// one block per listing.
treeInfo readTable(const std::string& text, int n) {
    const TempFile file(text);
    treeInfo table;
    readFromFile(file.path(), table, n);
    return table;
}

BlockTree buildChecked(const treeInfo& table, const std::vector<double>& v, int rootNode) {
    BlockTree root;
    growTree(root, table, v.data(), rootNode, requireBoundedTree(table, rootNode, "file"));
    return root;
}

TEST(TreeBuilding, SingleListingsBuildTheTreeThatTheCheckedBuildMakes) {
    // Random recursive trees under shuffled node numbers. Every third one lists its last leaf
    // a second time, under a node in the middle, and a root other than the first node is
    // listed itself: those tables take the checked way.
    std::mt19937_64 rng(13);
    for (int trial = 0; trial < 60; ++trial) {
        const int n = 2 + trial * 7;
        std::vector<int> number(n);
        for (int k = 0; k < n; ++k) number[k] = k;
        std::shuffle(number.begin(), number.end(), rng);
        testdata::Children children(n);
        for (int k = 1; k < n; ++k)
            children[number[std::uniform_int_distribution<int>(0, k - 1)(rng)]].push_back(number[k]);
        const bool listedTwice = trial % 3 == 2;
        if (listedTwice) children[number[n / 2]].push_back(number[n - 1]);
        std::vector<double> v(n);
        for (double& value : v) value = std::uniform_real_distribution<double>(-1, 1)(rng);
        const std::string text = testdata::descriptionText(children);
        for (int rootNode : {number[0], number[n / 3]}) {
            const bool single = !listedTwice && rootNode == number[0];
            treeInfo table = readTable(text, n);
            BlockTree direct;
            EXPECT_EQ(growTreeOfSingleListings(direct, table, v.data(), rootNode), single)
                << text;
            const std::vector<reference::BlockView> checked =
                treetest::describe(buildChecked(readTable(text, n), v, rootNode).get());
            if (single) {
                EXPECT_EQ(treetest::describe(direct.get()), checked) << text;
            }
            EXPECT_EQ(treetest::describe(build(text, v, rootNode + 1).get()), checked)
                << text << "root " << rootNode + 1;
        }
    }
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
