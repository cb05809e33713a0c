// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// Child tables of trees for the tests and benchmarks: children[k] lists the children of
// node k (0-based) in the order a description file would list them.
#pragma once

#include <algorithm>
#include <numeric>
#include <random>
#include <vector>

namespace testdata {

using Children = std::vector<std::vector<int>>;

// 0 -> 1 -> 2 -> ... -> n-1.
inline Children path(int n) {
    Children children(static_cast<std::size_t>(n));
    for (int k = 0; k + 1 < n; ++k) children[k].push_back(k + 1);
    return children;
}

// Node k above 2k+1 and 2k+2.
inline Children balancedBinary(int n) {
    Children children(static_cast<std::size_t>(n));
    for (int k = 0; k < n; ++k)
        for (int child : {2 * k + 1, 2 * k + 2})
            if (child < n) children[k].push_back(child);
    return children;
}

// Node 0 above all others.
inline Children star(int n) {
    Children children(static_cast<std::size_t>(n));
    for (int k = 1; k < n; ++k) children[0].push_back(k);
    return children;
}

// Every node below a uniformly chosen earlier one, or one of the `window` nodes just before
// it (which makes deep, bushy trees); then the labels are shuffled (the root keeps label 0)
// and every child list too, so that no order of the labels is special.
inline Children randomRecursive(std::mt19937_64& rng, int n, int window = 0) {
    std::vector<int> label(static_cast<std::size_t>(n));
    std::iota(label.begin(), label.end(), 0);
    if (n > 1) std::shuffle(label.begin() + 1, label.end(), rng);
    Children children(static_cast<std::size_t>(n));
    for (int k = 1; k < n; ++k) {
        const int first = window > 0 && k > window ? k - window : 0;
        const int parent = std::uniform_int_distribution<int>(first, k - 1)(rng);
        children[label[parent]].push_back(label[k]);
    }
    for (std::vector<int>& list : children) std::shuffle(list.begin(), list.end(), rng);
    return children;
}

// A path 0 -> 1 -> ... -> m-1 with one leaf below each of its nodes, m = n / 2 (n even).
inline Children caterpillar(int n) {
    const int m = n / 2;
    Children children(static_cast<std::size_t>(n));
    for (int k = 0; k < m; ++k) {
        if (k + 1 < m) children[k].push_back(k + 1);
        children[k].push_back(m + k);
    }
    return children;
}

// The depth of every node below node 0.
inline std::vector<int> depths(const Children& children) {
    std::vector<int> depth(children.size(), 0);
    std::vector<int> stack{0};
    while (!stack.empty()) {
        const int node = stack.back();
        stack.pop_back();
        for (int child : children[node]) {
            depth[child] = depth[node] + 1;
            stack.push_back(child);
        }
    }
    return depth;
}

// The parent of every node (-1 for the root and for nodes outside the tree).
inline std::vector<int> parents(const Children& children) {
    std::vector<int> parent(children.size(), -1);
    for (std::size_t k = 0; k < children.size(); ++k)
        for (int child : children[k]) parent[child] = static_cast<int>(k);
    return parent;
}

}  // namespace testdata
