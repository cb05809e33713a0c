// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// The order check of node tables, for both indexings: against brute force over every pair of
// groups as sets of positions, and against an independent solver, which shows why the order
// matters: a table that the check accepts gives the proximal operator, and a table whose
// result is not the proximal operator is refused.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <set>
#include <vector>

#include "tests/support/random.hpp"
#include "tests/support/random_trees.hpp"
#include "tests/unit/treetable/indexing.hpp"

namespace {

using testtrees::TreePenalty;
using treeindexing::Calls;
using treetable::MisorderedPair;

// The first group (in table order) listed after a group that strictly contains it as a set of
// positions, and the earliest such group, as columns of the table counted from 0.
MisorderedPair bruteForce(const TreePenalty& tree) {
    std::vector<std::set<int>> sets;
    for (const testtrees::Group& group : tree.groups)
        sets.emplace_back(group.positions.begin(), group.positions.end());
    const int l1 = tree.hasL1 ? 1 : 0;
    for (std::size_t j = 0; j < sets.size(); ++j)
        for (std::size_t i = 0; i < j && !sets[j].empty(); ++i)
            if (sets[i].size() > sets[j].size() &&
                std::includes(sets[i].begin(), sets[i].end(), sets[j].begin(), sets[j].end()))
                return MisorderedPair{static_cast<int>(i) + l1, static_cast<int>(j) + l1};
    return MisorderedPair{};
}

template <class Indexing>
MisorderedPair checked(const TreePenalty& tree) {
    return Indexing::misordered(Indexing::tableOf(tree), tree.n);
}

void expectSamePair(const MisorderedPair& got, const MisorderedPair& expected) {
    EXPECT_EQ(got.outer, expected.outer);
    EXPECT_EQ(got.inner, expected.inner);
}

TREE_INDEXING_SUITE(NodeOrder);

// Trees listed deepest first pass; shuffled, with equal groups added and (where lists allow it)
// a position listed twice, they fail exactly where brute force says.
TYPED_TEST(NodeOrder, FindsTheFirstNodeAfterItsContainer) {
    std::mt19937_64 rng(31);
    int refused = 0;
    for (int trial = 0; trial < 600; ++trial) {
        TreePenalty tree =
            testtrees::randomTree(rng, 1 + trial % 23, trial % 3 == 0, TypeParam::kAnyLists);
        expectSamePair(checked<TypeParam>(tree), MisorderedPair{});

        std::vector<testtrees::Group>& groups = tree.groups;
        std::uniform_int_distribution<std::size_t> pick(0, groups.size() - 1);
        if (trial % 4 == 0) groups.push_back(groups[pick(rng)]);
        if (TypeParam::kAnyLists && trial % 5 == 0) {
            testtrees::Group& group = groups[pick(rng)];
            group.positions.push_back(group.positions.front());
        }
        if (trial % 2 == 0)
            std::shuffle(groups.begin(), groups.end(), rng);
        else
            std::swap(groups[pick(rng)], groups[pick(rng)]);

        const MisorderedPair expected = bruteForce(tree);
        expectSamePair(checked<TypeParam>(tree), expected);
        // Positions far more than the groups list: starts or positions are ranked by sorting.
        expectSamePair(TypeParam::misordered(TypeParam::tableOf(tree), 100 * tree.n), expected);
        refused += expected.found() ? 1 : 0;
    }
    EXPECT_GT(refused, 200);
}

// A table that the check accepts gives the proximal operator (the dual solver's minimiser);
// a shuffled table whose result is not the proximal operator is refused.
TYPED_TEST(NodeOrder, AcceptedTablesGiveTheProximalOperator) {
    std::mt19937_64 rng(32);
    int wrongAndRefused = 0;
    for (int trial = 0; trial < 80; ++trial) {
        TreePenalty tree =
            testtrees::randomTree(rng, 2 + trial % 9, trial % 2 == 0, TypeParam::kAnyLists);
        std::shuffle(tree.groups.begin(), tree.groups.end(), rng);
        const std::vector<double> v = testdata::gaussian(rng, tree.n, 2.0);
        const std::vector<double> x = Calls<TypeParam>::proxOf(tree, v);
        const std::vector<double> expected = testtrees::reference::proxByDualAscent(tree, v, rng);
        double error = 0;
        for (int i = 0; i < tree.n; ++i) error = std::max(error, std::fabs(x[i] - expected[i]));

        const bool refused = checked<TypeParam>(tree).found();
        if (!refused) {
            EXPECT_LE(error, 1e-7) << "trial " << trial;
        }
        if (error > 1e-6) {
            EXPECT_TRUE(refused) << "trial " << trial;
            ++wrongAndRefused;
        }
    }
    EXPECT_GT(wrongAndRefused, 5);
}

TYPED_TEST(NodeOrder, EqualGroupsAndEmptyNodesPass) {
    using C = Calls<TypeParam>;
    const auto check = [](const std::vector<double>& ind, int n) {
        return TypeParam::misordered(C::ranges(ind, static_cast<int>(ind.size() / 3), n), n);
    };
    // Equal groups in either order, before the root; the L1 node first; an empty node
    // (end < start) after the root.
    EXPECT_FALSE(check({-1, -1, 1, 2, 3, 1, 2, 3, 2, 1, 3, 1}, 3).found());
    EXPECT_FALSE(check({1, 3, 1, 3, 2, 1}, 3).found());
}

// Ranges are checked whatever their overlaps: random ranges, overlapping or not, fail exactly
// where brute force says.
TEST(RangeOrder, OverlappingRangesAreCheckedToo) {
    using Ranges = treeindexing::Ranges;
    std::mt19937_64 rng(33);
    for (int trial = 0; trial < 2000; ++trial) {
        TreePenalty tree;
        tree.n = 1 + trial % 9;
        tree.hasL1 = trial % 3 == 0;
        std::uniform_int_distribution<int> at(0, tree.n);
        for (int k = trial % 8; k > 0; --k) {
            int first = at(rng);
            int end = at(rng);
            if (first > end && k % 2 == 0) std::swap(first, end);  // else it covers nothing
            testtrees::Group group{{}, 1.0};
            for (int p = first; p < end; ++p) group.positions.push_back(p);
            tree.groups.push_back(group);
        }
        expectSamePair(checked<Ranges>(tree), bruteForce(tree));
    }
}

}  // namespace
