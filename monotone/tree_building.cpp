// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// Building the tree of blocks from a child table.
//
// Depth first with an explicit stack, so a path of a million nodes needs no deep recursion.
// Every new child goes to the front of its parent's list, so each child list runs in the
// reverse of the listed order; the pooling breaks ties by that order.
#include <vector>

#include "host/interrupt.hpp"
#include "monotone/building.hpp"
#include "monotone/child_list.hpp"

namespace {

const char* const kBuildFailure = "\n Allocation in buildTree failure!";

// A block whose children are being made: its node's children in the table, and how many
// of them are made.
struct Frame {
    TreeBlock* block;
    const int* children;
    int count;
    int made;
};

Frame frameOf(TreeBlock* block, const treeInfo& table) {
    const int node = block->node;
    return Frame{block, table.childrenOf(node), table.nodes[node].childCount, 0};
}

}  // namespace

void buildTree(BlockTree& tree, const treeInfo& table, const double* v) {
    reportingAllocationFailure(kBuildFailure, kTreeMemoryFailure, [&] {
        std::vector<Frame> stack{frameOf(tree.get(), table)};
        InterruptPoll poll;
        while (!stack.empty()) {
            poll.tick();
            Frame& frame = stack.back();
            if (frame.made == frame.count) {
                stack.pop_back();
                continue;
            }
            const int child = frame.children[frame.made++];
            TreeBlock* made = tree.newBlock(child, v[child]);
            putInFront(frame.block, made, made);
            stack.push_back(frameOf(made, table));
        }
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
