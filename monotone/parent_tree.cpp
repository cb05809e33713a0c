// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// The fits over a tree given in memory by the parent of each node.
//
// The child table is the one that a description file listing every node's children in
// increasing order gives, so a fit here has the bits of the fit over such a file.
#include <string>
#include <vector>

#include "support/interrupt.hpp"
#include "monotone/building.hpp"

namespace {

[[noreturn]] void failParents(const char* reason, const std::string& text) {
    throw RoutineFailure(reason, text);
}

// The 0-based root: the one node whose parent is -1. Every other parent lies in 0..n-1.
int rootOfParents(const int* parents, int n) {
    int root = -1;
    for (int node = 0; node < n; ++node) {
        const int parent = parents[node];
        if (parent == -1) {
            if (root >= 0)
                failParents(reason::notOneRoot, "nodes " + std::to_string(root) + " and " +
                                                    std::to_string(node) +
                                                    " both have parent -1: a tree has one root");
            root = node;
        } else if (parent < 0 || parent >= n || parent == node) {
            failParents(reason::nodeOutOfRange,
                        "node " + std::to_string(node) + " has parent " + std::to_string(parent) +
                            ", which is not another node of 0.." + std::to_string(n - 1) +
                            " nor -1 for the root");
        }
    }
    if (root < 0) failParents(reason::notOneRoot, "no node has parent -1: a tree has one root");
    return root;
}

// Children of each node in increasing order, in one array.
treeInfo childTable(const int* parents, int n) {
    treeInfo table;
    table.nodes.resize(static_cast<std::size_t>(n));
    std::vector<std::size_t> counts(static_cast<std::size_t>(n), 0);
    for (int node = 0; node < n; ++node)
        if (parents[node] >= 0) ++counts[parents[node]];
    std::size_t offset = 0;
    for (int node = 0; node < n; ++node) {
        table.nodes[node] = NodeInfo{static_cast<int>(counts[node]), offset};
        offset += counts[node];
        counts[node] = table.nodes[node].offset;  // from here on: the next free entry
    }
    table.children.resize(offset);
    for (int node = 0; node < n; ++node)
        if (parents[node] >= 0) table.children[counts[parents[node]]++] = node;
    return table;
}

// Fails unless every node is reached from the root: a node that is not lies on, or below, a
// cycle of parents.
void requireReachable(const treeInfo& table, const int* parents, int root, int n) {
    std::vector<char> reached(static_cast<std::size_t>(n), 0);
    std::vector<int> pending{root};
    reached[root] = 1;
    int count = 1;
    InterruptPoll poll;
    while (!pending.empty()) {
        poll.tick();
        const int node = pending.back();
        pending.pop_back();
        const int* children = table.childrenOf(node);
        for (int j = 0; j < table.nodes[node].childCount; ++j) {
            reached[children[j]] = 1;
            ++count;
            pending.push_back(children[j]);
        }
    }
    if (count == n) return;
    int node = 0;
    while (reached[node]) ++node;
    for (int step = 0; step < n; ++step) node = parents[node];  // now on the cycle
    failParents(reason::cyclicTree, "the parents are not a tree: node " + std::to_string(node) +
                                        " is its own ancestor");
}

template <class Pool>
void fitOverParents(double* x, const int* parents, const double* v, int n, Pool pool) {
    if (n <= 0) return;
    const int rootNode = rootOfParents(parents, n);
    treeInfo table;
    reportingAllocationFailure("\n Allocation of treeInfo failure!", kTreeMemoryFailure,
                               [&] { table = childTable(parents, n); });
    requireReachable(table, parents, rootNode, n);
    BlockTree root;
    growTree(root, table, v, rootNode, n);
    pool(root.get());
    computeSolution(x, root.get());
    deleteTree(root);
}

}  // namespace

void isoHierParents(double* x, const int* parents, const double* v, int n) {
    fitOverParents(x, parents, v, n, computeMaximalMean);
}

void isoHierParents_without_nonnegative(double* x, const int* parents, const double* v, int n) {
    fitOverParents(x, parents, v, n, computeMaximalMean_without_nonnegative);
}
