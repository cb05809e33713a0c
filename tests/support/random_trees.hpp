// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// Random and balanced trees of groups for the tree-penalty tests and benchmarks. Every tree
// lists its groups deepest first, so that applying them in order is the proximal operator.
#pragma once

#include <numeric>
#include <random>
#include <vector>

#include "tests/support/tree_penalty.hpp"

namespace testtrees {

namespace detail {

// Appends the groups of a random subtree over the list indices [first, end): the children
// (random pieces of the range, some left out), then the range itself.
inline void addSubtree(std::mt19937_64& rng, int first, int end, int depth,
                       const std::vector<int>& positions, std::vector<Group>* groups) {
    std::uniform_real_distribution<double> uniform(0.0, 1.0);
    if (depth > 0 && end - first >= 2) {
        int at = first;
        while (at < end) {
            const int piece = 1 + static_cast<int>(uniform(rng) * (end - at));
            if (uniform(rng) < 0.7 && !(at == first && at + piece == end))
                addSubtree(rng, at, at + piece, depth - 1, positions, groups);
            at += piece;
        }
    }
    Group group{std::vector<int>(positions.begin() + first, positions.begin() + end), 0.0};
    const double kind = uniform(rng);
    group.weight = kind < 0.1 ? 0.0 : kind < 0.2 ? 1.0 : 2.0 * uniform(rng);
    groups->push_back(group);
}

}  // namespace detail

// A random tree (or forest) of at least one group over n >= 1 positions. With `scattered`, the
// groups are nested or disjoint sets of positions in a random order rather than runs of consecutive
// positions.
inline TreePenalty randomTree(std::mt19937_64& rng, int n, bool withL1, bool scattered) {
    TreePenalty tree;
    tree.n = n;
    tree.hasL1 = withL1;
    std::uniform_real_distribution<double> uniform(0.0, 1.0);
    tree.l1Weight = 0.5 * uniform(rng);
    std::vector<int> positions(static_cast<std::size_t>(n));
    std::iota(positions.begin(), positions.end(), 0);
    if (scattered) std::shuffle(positions.begin(), positions.end(), rng);
    int at = 0;
    while (at < n) {
        const int piece = 1 + static_cast<int>(uniform(rng) * (n - at));
        if (uniform(rng) < 0.85 || (tree.groups.empty() && at + piece == n))
            detail::addSubtree(rng, at, at + piece, 3, positions, &tree.groups);
        at += piece;
    }
    return tree;
}

// The complete tree of ranges over n positions with `depth` levels, each node split into
// `branching` nearly equal children; every group has weight `weight`.
inline TreePenalty balancedTree(int n, int depth, int branching, double weight) {
    TreePenalty tree;
    tree.n = n;
    std::vector<std::pair<int, int>> level = {{0, n}};
    std::vector<std::vector<std::pair<int, int>>> levels;
    for (int d = 0; d < depth; ++d) {
        levels.push_back(level);
        std::vector<std::pair<int, int>> next;
        for (const auto& range : level)
            for (int c = 0; c < branching; ++c) {
                const long long size = range.second - range.first;
                next.push_back({range.first + static_cast<int>(size * c / branching),
                                range.first + static_cast<int>(size * (c + 1) / branching)});
            }
        level = next;
    }
    for (auto it = levels.rbegin(); it != levels.rend(); ++it)
        for (const auto& range : *it) {
            Group group{{}, weight};
            for (int p = range.first; p < range.second; ++p) group.positions.push_back(p);
            tree.groups.push_back(group);
        }
    return tree;
}

}  // namespace testtrees
