// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// Maximal-mean pooling: the worked cases, the merge itself, the tie order, and the fit
// checked three ways: bit for bit against the plain recursive form, against an exhaustive
// solution of the isotonic problem, and along chains against pool adjacent violators.
#include <algorithm>
#include <cmath>
#include <random>

#include "tests/support/literal_tree_fit.hpp"
#include "tests/support/random.hpp"
#include "tests/unit/monotone/isotonic_references.hpp"
#include "tests/unit/monotone/tree_test_support.hpp"

namespace {

using testdata::Children;
using treetest::fitFromFile;

struct WorkedCase {
    Children children;
    std::vector<double> v;
    std::vector<double> nonnegative;
    std::vector<double> unbounded;
};

TEST(Pooling, WorkedCases) {
    const double third = 4.0 / 3;
    const WorkedCase cases[] = {
        {{{}}, {-2.5}, {0}, {-2.5}},
        {{{}}, {2.5}, {2.5}, {2.5}},
        {{{1}, {}}, {1, 3}, {2, 2}, {2, 2}},
        {{{1}, {}}, {3, 1}, {3, 1}, {3, 1}},
        {{{1}, {}}, {-1, -2}, {0, 0}, {-1, -2}},
        {{{1}, {}}, {2, 2}, {2, 2}, {2, 2}},
        {{{1, 2}, {}, {}}, {0, 2, 2}, {third, third, third}, {third, third, third}},
        // A nonpositive root facing no positive child absorbs its whole subtree.
        {{{1, 2}, {3}, {}, {}}, {-1, 0, -3, -0.5}, {0, 0, 0, 0}, {-0.5, -0.5, -3, -0.5}},
        {{{1, 2}, {3, 4}, {}, {}, {}}, {1, 3, 0, 2, -1}, {2, 2, 0, 2, 0}, {2, 2, 0, 2, -1}},
    };
    for (const WorkedCase& c : cases) {
        EXPECT_EQ(fitFromFile(c.children, c.v, 0, true), c.nonnegative);
        EXPECT_EQ(fitFromFile(c.children, c.v, 0, false), c.unbounded);
    }
}

TEST(Pooling, NodesOutsideTheTreeAreNotWritten) {
    const Children children = {{1}, {}, {3}, {}};
    const std::vector<double> x = fitFromFile(children, {1, 3, 5, 7}, 0, true, -9);
    EXPECT_EQ(x, (std::vector<double>{2, 2, -9, -9}));
}

// The merge pools the child's nodes and hands its children, in their order, to the front.
TEST(Pooling, MergeMovesNodesAndChildren) {
    const testdata::TempFile file("1 3 2 3 4\n3 2 5 6\n");
    const std::vector<double> v = {1, 2, 4, 8, 16, 32};
    BlockTree root;
    initializeRoot(root, file.path(), v.data(), 1, 6);
    TreeBlock* node3 = root->firstChild()->nextSibling();  // list: 4, 3, 2
    merge(root.get(), node3);
    EXPECT_EQ(root->m, (1.0 * 4 + 1.0 * 1) / 2);
    EXPECT_EQ(root->num, 2);
    EXPECT_EQ(treetest::blockNodes(root.get()), (std::vector<int>{0, 2}));
    EXPECT_EQ(treetest::childNodes(root.get()), (std::vector<int>{5, 4, 3, 1}));
    EXPECT_TRUE(treetest::linkedBothWays(root.get()));
    merge(root.get(), root->firstChild());  // the first child, a leaf
    EXPECT_EQ(root->m, (1.0 * 32 + 2.0 * 2.5) / 3);
    EXPECT_EQ(treetest::blockNodes(root.get()), (std::vector<int>{0, 2, 5}));
    EXPECT_EQ(treetest::childNodes(root.get()), (std::vector<int>{4, 3, 1}));
    EXPECT_TRUE(treetest::linkedBothWays(root.get()));
    merge(root.get(), root->lastChild());  // the last child, node 1
    EXPECT_EQ(treetest::childNodes(root.get()), (std::vector<int>{4, 3}));
    EXPECT_EQ(treetest::blockNodes(root.get()), (std::vector<int>{0, 2, 5, 1}));
    EXPECT_EQ(root->lastChild()->node, 3);
    EXPECT_EQ(root->lastChild()->nextSibling(), nullptr);
    EXPECT_TRUE(treetest::linkedBothWays(root.get()));
    merge(root.get(), root->firstChild()->nextSibling());  // the last of two, node 3
    EXPECT_EQ(treetest::childNodes(root.get()), (std::vector<int>{4}));
    EXPECT_TRUE(treetest::linkedBothWays(root.get()));
    merge(root.get(), root->firstChild());  // the only child
    EXPECT_EQ(root->firstChild(), nullptr);
    EXPECT_EQ(treetest::blockNodes(root.get()), (std::vector<int>{0, 2, 5, 1, 3, 4}));
    EXPECT_EQ(root->num, 6);
}

// Equal means go to the later child in the list, which is the one listed first in the file.
TEST(Pooling, EqualMeansGoToTheChildListedFirst) {
    const std::vector<double> v = {0, 2, 2};
    for (const char* text : {"1 2 2 3\n", "1 2 3 2\n"}) {
        const testdata::TempFile file(text);
        BlockTree root;
        initializeRoot(root, file.path(), v.data(), 1, 3);
        computeMaximalMean(root.get());
        const int listedFirst = text[4] - '1';
        EXPECT_EQ(treetest::blockNodes(root.get()),
                  (std::vector<int>{0, listedFirst, 3 - listedFirst}));
        EXPECT_EQ(root->m, 4.0 / 3);
        EXPECT_EQ(root->done, 1u);
    }
}

TEST(Pooling, EqualParentAndChildArePooled) {
    for (bool nonnegative : {true, false}) {
        const testdata::TempFile file("1 1 2\n");
        const std::vector<double> v = {0.1, 0.1};
        BlockTree root;
        initializeRoot(root, file.path(), v.data(), 1, 2);
        nonnegative ? computeMaximalMean(root.get())
                    : computeMaximalMean_without_nonnegative(root.get());
        EXPECT_EQ(treetest::blockNodes(root.get()), (std::vector<int>{0, 1}));
        EXPECT_EQ(root->firstChild(), nullptr);
    }
}

TEST(Pooling, OverflowingMeanFails) {
    for (bool nonnegative : {true, false}) {
        const treetest::Failure failure = treetest::failureOf([&] {
            fitFromFile({{1}, {}}, {1e308, 1.5e308}, 0, nonnegative);
        });
        EXPECT_EQ(failure.reason, "overflow");
    }
}

// Values drawn so that ties are common: small integers, signed zeros, tenths (whose means
// round differently in different merge orders), or Gaussian.
std::vector<double> drawValues(std::mt19937_64& rng, int n, int kind) {
    if (kind == 3) return testdata::gaussian(rng, static_cast<std::size_t>(n));
    const double scale[] = {1.0, 0.0, 0.1};
    std::uniform_int_distribution<int> small(-3, 3);
    std::vector<double> v(static_cast<std::size_t>(n));
    for (double& value : v) value = small(rng) * scale[kind];
    return v;
}

// Random child tables, some with a node of many children and some where a few nodes are
// listed under several parents (each listing copies the node's subtree).
Children drawChildren(std::mt19937_64& rng, int n, int trial) {
    if (trial % 5 == 1 && n > 2) return testdata::star(n);
    if (trial % 5 != 2) return testdata::randomRecursive(rng, n);
    // Edges only from lower to higher labels, so the table stays acyclic.
    Children children(static_cast<std::size_t>(n));
    for (int k = 1; k < n; ++k)
        children[std::uniform_int_distribution<int>(0, k - 1)(rng)].push_back(k);
    std::uniform_int_distribution<int> node(0, n - 1);
    for (int extra = 0; extra < 3; ++extra) {
        const int a = node(rng), b = node(rng);
        if (a < b) children[a].push_back(b);
    }
    for (std::vector<int>& list : children) std::shuffle(list.begin(), list.end(), rng);
    return children;
}

// Whether both variants pool the tree of `children` below node 0 into the same blocks, node
// lists and child lists, with the same bits, as the plain recursive form.
testing::AssertionResult poolsAsThePlainForm(const Children& children,
                                             const std::vector<double>& v) {
    const testdata::TempFile file(testdata::descriptionText(children));
    for (bool nonnegative : {true, false}) {
        BlockTree root;
        initializeRoot(root, file.path(), v.data(), 1, static_cast<int>(v.size()));
        nonnegative ? computeMaximalMean(root.get())
                    : computeMaximalMean_without_nonnegative(root.get());
        if (!(treetest::describe(root.get()) ==
              reference::literalPooledTree(children, v, 0, nonnegative)))
            return testing::AssertionFailure() << (nonnegative ? "nonnegative" : "unbounded");
    }
    return testing::AssertionSuccess();
}

// The same merges in the same order: the same blocks, and the same fit read out.
TEST(Pooling, SameTreeAndBitsAsThePlainRecursiveForm) {
    std::mt19937_64 rng(4);
    for (int trial = 0; trial < 800; ++trial) {
        const int n = 1 + trial % 150;
        const Children children = drawChildren(rng, n, trial);
        const std::vector<double> v = drawValues(rng, n, trial % 4);
        ASSERT_TRUE(poolsAsThePlainForm(children, v)) << "trial " << trial;
        for (bool nonnegative : {true, false}) {
            std::vector<double> expected(v.size(), -9);
            reference::literalTreeFit(expected, children, v, 0, nonnegative);
            const std::vector<double> x = fitFromFile(children, v, 0, nonnegative, -9);
            ASSERT_TRUE(treetest::sameBits(x, expected)) << "trial " << trial;
        }
    }
}

// Deep, bushy trees whose values rise with depth, in coarse steps: parents pool with their
// children again and again, hand grandchildren up through many levels, and meet ties among
// them all the way.
TEST(Pooling, SameTreeAndBitsWhenChildrenTravelUpWithTies) {
    std::mt19937_64 rng(9);
    std::uniform_int_distribution<int> jitter(-2, 2);
    for (int trial = 0; trial < 300; ++trial) {
        const int n = 2 + trial % 200;
        const Children children = testdata::randomRecursive(rng, n, 1 + trial % 4);
        const std::vector<int> depth = testdata::depths(children);
        std::vector<double> v(static_cast<std::size_t>(n));
        for (int k = 0; k < n; ++k) v[k] = (depth[k] / 3 + jitter(rng)) * (trial % 2 ? 1.0 : 0.1);
        ASSERT_TRUE(poolsAsThePlainForm(children, v)) << "trial " << trial;
    }
}

// A caterpillar whose path rises: every path node pools with the next and takes over the
// leaves below, so the leaves are handed up again and again, their ranks shifted by
// thousands. Near the root the pooled mean falls below the leaves' common value, and the
// leaves, all tied, are pooled in the order of their ranks.
TEST(Pooling, SameTreeAndBitsWhenTiedLeavesAreHandedUpThousandsOfTimes) {
    const int n = 4000;
    std::vector<double> v(static_cast<std::size_t>(n), n / 4.0);
    for (int k = 0; k < n / 2; ++k) v[k] = k;
    EXPECT_TRUE(poolsAsThePlainForm(testdata::caterpillar(n), v));
}

TEST(Pooling, SolvesTheIsotonicProblemOnSmallTrees) {
    std::mt19937_64 rng(5);
    for (int trial = 0; trial < 300; ++trial) {
        const int n = 1 + trial % 8;
        const Children children = testdata::randomRecursive(rng, n);
        const std::vector<double> v = drawValues(rng, n, trial % 2 == 0 ? 3 : 0);
        for (bool nonnegative : {true, false}) {
            const std::vector<double> expected =
                reference::bruteForceTreeFit(testdata::parents(children), v, nonnegative);
            const std::vector<double> x = fitFromFile(children, v, 0, nonnegative);
            for (int k = 0; k < n; ++k)
                ASSERT_NEAR(x[k], expected[k], 1e-9) << "trial " << trial << " node " << k;
        }
    }
}

TEST(Pooling, ChainsMatchPoolAdjacentViolators) {
    std::mt19937_64 rng(6);
    for (int trial = 0; trial < 40; ++trial) {
        const int n = 1 + trial * 50;
        std::vector<double> v = testdata::gaussian(rng, static_cast<std::size_t>(n));
        for (int k = 0; k < n; ++k) v[k] += 0.01 * (trial % 3 - 1) * k;  // trends both ways
        for (bool nonnegative : {true, false}) {
            const std::vector<double> expected = reference::poolAdjacentViolators(v, nonnegative);
            const std::vector<double> x = fitFromFile(testdata::path(n), v, 0, nonnegative);
            for (int k = 0; k < n; ++k)
                ASSERT_NEAR(x[k], expected[k], 1e-9) << "trial " << trial << " node " << k;
        }
    }
}

// Reading, building, pooling, read-out and release on a path of a million nodes, which
// recursion could not survive.
TEST(Pooling, PathOfAMillionNodesMatchesPoolAdjacentViolators) {
    const int n = 1000000;
    std::mt19937_64 rng(7);
    std::vector<double> v = testdata::gaussian(rng, static_cast<std::size_t>(n));
    for (int k = 0; k < n; ++k) v[k] += 3e-6 * k;  // long pools near the top
    for (bool nonnegative : {true, false}) {
        const std::vector<double> expected = reference::poolAdjacentViolators(v, nonnegative);
        const std::vector<double> x = fitFromFile(testdata::path(n), v, 0, nonnegative);
        for (int k = 0; k < n; ++k) ASSERT_NEAR(x[k], expected[k], 1e-9) << k;
    }
}

}  // namespace
