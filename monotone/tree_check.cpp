// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// The check that a description file's table is a tree of bounded size below the root.
//
// Building copies a node's subtree once per listing of the node, so a file of a few lines
// could ask for exponentially many blocks, and a node reachable from itself would make
// building run forever. One depth-first pass over the distinct nodes finds both before any
// block is made: a node met again while it is on the current path closes a cycle, and the
// blocks below a node are one plus those below each listed child.
#include <algorithm>
#include <climits>
#include <cstdint>
#include <string>
#include <vector>

#include "support/interrupt.hpp"
#include "monotone/building.hpp"

namespace {

struct Frame {
    int node;
    int nextChild;
};

}  // namespace

long long requireBoundedTree(const treeInfo& table, int rootNode, const char* fileName) {
    const long long n = static_cast<long long>(table.nodes.size());
    // Block counts stay below INT_MAX, so node counts of pooled blocks fit in an int.
    const long long limit = std::min<long long>(64 * n + 1024, INT_MAX);

    // Per node: 0 until it is met, kOnPath while it is on the current path, then the blocks
    // below it (at least 1), at most limit + 1 <= 2^31: one array of 32 bits for both.
    const std::uint32_t kOnPath = UINT32_MAX;
    std::vector<std::uint32_t> blocksBelow(table.nodes.size(), 0);
    std::vector<Frame> path{{rootNode, 0}};
    blocksBelow[rootNode] = kOnPath;
    InterruptPoll poll;
    while (!path.empty()) {
        poll.tick();
        Frame& frame = path.back();
        const int* children = table.childrenOf(frame.node);
        const int count = table.nodes[frame.node].childCount;
        if (frame.nextChild < count) {
            const int child = children[frame.nextChild++];
            if (blocksBelow[child] == kOnPath)
                throw RoutineFailure(reason::cyclicTree, std::string("the tree description file '") +
                                                       fileName + "' is not a tree: node " +
                                                       std::to_string(child + 1) +
                                                       " is reachable from itself");
            if (blocksBelow[child] == 0) {
                blocksBelow[child] = kOnPath;
                path.push_back({child, 0});
            }
            continue;
        }
        long long blocks = 1;
        for (int j = 0; j < count && blocks <= limit; ++j) blocks += blocksBelow[children[j]];
        blocksBelow[frame.node] = static_cast<std::uint32_t>(std::min(blocks, limit + 1));
        path.pop_back();
    }
    if (blocksBelow[rootNode] > limit)
        throw RoutineFailure(
            reason::treeTooLarge,
            std::string("the tree below node ") + std::to_string(rootNode + 1) + " of '" +
                fileName + "' would hold more than " + std::to_string(limit) +
                " blocks: a node listed under several parents is copied with its whole subtree "
                "for every listing");
    return blocksBelow[rootNode];
}
