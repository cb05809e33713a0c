// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// Building the tree of blocks from a child table.
#include "monotone/building.hpp"
#include "monotone/depth_first_build.hpp"

void buildTree(BlockTree& tree, const treeInfo& table, const double* v) {
    const int root = tree->node;
    buildDepthFirst(tree, table.childrenOf(root), table.nodes[root].childCount,
                    [&table, v](int child) {
                        return ListedChild<int>{child, v[child], table.childrenOf(child),
                                                table.nodes[child].childCount};
                    });
}

void plantRootBlock(BlockTree& root, const double* v, int rootNode, std::size_t blocks) {
    reportingAllocationFailure("\n Allocation in computeGroups failure!", kTreeMemoryFailure,
                               [&] { root.plantRoot(rootNode, v[rootNode], blocks); });
}

void growTree(BlockTree& root, const treeInfo& table, const double* v, int rootNode,
              long long blocks) {
    plantRootBlock(root, v, rootNode, static_cast<std::size_t>(blocks));
    buildTree(root, table, v);
}
