// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// Building the tree of a table that lists every node at most once, and the root nowhere.
//
// A pass in the table's order first copies, next to every child entry, what building needs of
// the entry's node: its value and where its own entries are. The depth-first walk that follows
// then reads one record per node where buildTree reads three scattered ones (the node's
// record, its child entries and its value); on a large tree those scattered reads are most of
// the build's time. The pass also finds the tables that list a node twice, which go the
// checked way. The walk makes the blocks in buildTree's order.
#include "support/interrupt.hpp"
#include "support/kept_storage.hpp"
#include "monotone/building.hpp"
#include "monotone/depth_first_build.hpp"

namespace {

// A child entry of the table with what building needs of its node.
struct Listing {
    int node;
    int childCount;
    std::size_t firstChild;  // position of the node's first child entry
    double value;
};

// Kept from one call to the next, as the blocks are.
KeptSpare<Listing> keptListings;

// Fills listings[j] for every child entry j; false as soon as a node is listed twice or the
// root is listed.
bool copyListings(treeInfo& table, const double* v, int rootNode, Listing* listings) {
    table.nodes[rootNode].met = true;
    InterruptPoll poll;
    for (std::size_t j = 0; j < table.children.size(); ++j) {
        poll.tick();
        const int node = table.children[j];
        NodeInfo& record = table.nodes[node];
        if (record.met) return false;
        record.met = true;
        listings[j] = Listing{node, record.childCount, record.offset, v[node]};
    }
    return true;
}

}  // namespace

bool growTreeOfSingleListings(BlockTree& root, treeInfo& table, const double* v, int rootNode) {
    const std::size_t entries = table.children.size();
    // A table that lists n or more children lists some node twice.
    if (entries >= table.nodes.size()) return false;
    KeptStorage<Listing> listings;
    reportingAllocationFailure(kBuildFailure, kTreeMemoryFailure, [&] {
        listings = KeptStorage<Listing>(keptListings, entries);
    });
    if (!copyListings(table, v, rootNode, listings.data())) return false;

    // One block per entry at most, and the root's.
    plantRootBlock(root, v, rootNode, entries + 1);
    const Listing* const all = listings.data();
    const NodeInfo& top = table.nodes[rootNode];
    buildDepthFirst(root, all + top.offset, top.childCount, [all](const Listing& child) {
        return ListedChild<Listing>{child.node, child.value, all + child.firstChild,
                                    child.childCount};
    });
    return true;
}
