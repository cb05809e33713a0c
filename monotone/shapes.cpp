// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// The fits over trees implied by n: the binary heap and the depth-one star, node 0 the root.
#include "support/interrupt.hpp"
#include "monotone/building.hpp"

namespace {

// Node k is the parent of 2k+1 and 2k+2. With n even, node n/2 - 1 has the single child n-1.
treeInfo binaryTable(int n) {
    treeInfo table;
    table.nodes.resize(static_cast<std::size_t>(n));
    table.children.reserve(static_cast<std::size_t>(n));
    InterruptPoll poll;
    for (int k = 0; k < n / 2; ++k) {
        poll.tick(2);
        const int count = 2 * k + 2 < n ? 2 : 1;
        table.nodes[k] = NodeInfo{count, table.children.size()};
        table.children.push_back(2 * k + 1);
        if (count == 2) table.children.push_back(2 * k + 2);
    }
    return table;
}

// Node 0 is the parent of nodes 1, 2, ..., n-1, listed in increasing order.
treeInfo depthOneTable(int n) {
    treeInfo table;
    table.nodes.resize(static_cast<std::size_t>(n));
    if (n > 1) {
        table.nodes[0] = NodeInfo{n - 1, 0};
        table.children.reserve(static_cast<std::size_t>(n - 1));
        InterruptPoll poll;
        for (int child = 1; child < n; ++child) {
            poll.tick();
            table.children.push_back(child);
        }
    }
    return table;
}

template <class MakeTable>
void initializeShape(BlockTree& root, const double* v, int n, MakeTable makeTable) {
    root.release();
    if (n <= 0) return;
    treeInfo table;
    reportingAllocationFailure("\n Allocation of treeInfo failure!", kTreeMemoryFailure,
                               [&] { table = makeTable(n); });
    growTree(root, table, v, 0, n);
}

void fitShape(double* x, BlockTree& root) {
    computeMaximalMean(root.get());
    computeSolution(x, root.get());
    deleteTree(root);
}

}  // namespace

void initializeRootBinary(BlockTree& root, const double* v, int n) {
    initializeShape(root, v, n, binaryTable);
}

void initializeRootDepth1(BlockTree& root, const double* v, int n) {
    initializeShape(root, v, n, depthOneTable);
}

void isoHierBinary(double* x, const double* v, int n) {
    BlockTree root;
    initializeRootBinary(root, v, n);
    fitShape(x, root);
}

void isoHierDepth1(double* x, const double* v, int n) {
    BlockTree root;
    initializeRootDepth1(root, v, n);
    fitShape(x, root);
}
