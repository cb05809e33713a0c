// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// The fits over a parent array: the bits of the fit over the description file that lists
// each node's children in increasing order, and the parent arrays that are no tree.
#include <random>

#include "tests/support/random.hpp"
#include "tests/unit/monotone/tree_test_support.hpp"

namespace {

using treetest::failureOf;
using treetest::fitFromFile;

// A random tree: every node below 0 hangs from an earlier one, numbered in a shuffled order.
std::vector<int> randomParents(std::mt19937_64& rng, int n) {
    std::vector<int> label(static_cast<std::size_t>(n));
    for (int k = 0; k < n; ++k) label[k] = k;
    std::shuffle(label.begin(), label.end(), rng);
    std::vector<int> parents(static_cast<std::size_t>(n), -1);
    for (int k = 1; k < n; ++k)
        parents[label[k]] = label[std::uniform_int_distribution<int>(0, k - 1)(rng)];
    return parents;
}

testdata::Children childrenOf(const std::vector<int>& parents) {
    testdata::Children children(parents.size());
    for (std::size_t node = 0; node < parents.size(); ++node)
        if (parents[node] >= 0) children[parents[node]].push_back(static_cast<int>(node));
    return children;
}

TEST(ParentTree, FitsHaveTheBitsOfTheDescriptionFile) {
    std::mt19937_64 rng(41);
    for (int n : {1, 2, 7, 300}) {
        const std::vector<int> parents = randomParents(rng, n);
        const std::vector<double> v = testdata::gaussian(rng, n);
        int root = 0;
        while (parents[root] != -1) ++root;
        for (bool nonnegative : {true, false}) {
            std::vector<double> x(v.size(), -7.0);
            (nonnegative ? isoHierParents : isoHierParents_without_nonnegative)(
                x.data(), parents.data(), v.data(), n);
            const std::vector<double> fromFile =
                fitFromFile(childrenOf(parents), v, root, nonnegative);
            ASSERT_EQ(std::memcmp(x.data(), fromFile.data(), x.size() * sizeof(double)), 0) << n;
        }
    }
}

TEST(ParentTree, ArraysThatAreNoTreeAreRefused) {
    const std::vector<double> v(4, 1.0);
    std::vector<double> x(4, 0.0);
    const auto reasonFor = [&](std::vector<int> parents) {
        return failureOf([&] { isoHierParents(x.data(), parents.data(), v.data(), 4); }).reason;
    };
    EXPECT_EQ(reasonFor({-1, 0, -1, 1}), reason::notOneRoot);
    EXPECT_EQ(reasonFor({1, 2, 3, 0}), reason::notOneRoot);
    EXPECT_EQ(reasonFor({-1, 0, 4, 1}), reason::nodeOutOfRange);
    EXPECT_EQ(reasonFor({-1, 0, 2, 1}), reason::nodeOutOfRange);
    EXPECT_EQ(reasonFor({-1, 3, 1, 2}), reason::cyclicTree);
    EXPECT_EQ(std::vector<double>(4, 0.0), x);
}

}  // namespace
