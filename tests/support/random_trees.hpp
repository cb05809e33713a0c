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

// Every node below a uniformly chosen earlier one; then the labels are shuffled (the root
// keeps label 0) and every child list too, so that no order of the labels is special.
inline Children randomRecursive(std::mt19937_64& rng, int n) {
    std::vector<int> label(static_cast<std::size_t>(n));
    std::iota(label.begin(), label.end(), 0);
    if (n > 1) std::shuffle(label.begin() + 1, label.end(), rng);
    Children children(static_cast<std::size_t>(n));
    for (int k = 1; k < n; ++k) {
        const int parent = std::uniform_int_distribution<int>(0, k - 1)(rng);
        children[label[parent]].push_back(label[k]);
    }
    for (std::vector<int>& list : children) std::shuffle(list.begin(), list.end(), rng);
    return children;
}

// The parent of every node (-1 for the root and for nodes outside the tree).
inline std::vector<int> parents(const Children& children) {
    std::vector<int> parent(children.size(), -1);
    for (std::size_t k = 0; k < children.size(); ++k)
        for (int child : children[k]) parent[child] = static_cast<int>(k);
    return parent;
}

}  // namespace testdata
