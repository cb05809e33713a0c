// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// The walk that makes the blocks of a tree below its planted root.
//
// Depth first with an explicit stack, so a path of a million nodes needs no deep recursion.
// Every new child goes to the front of its parent's list, so each child list runs in the
// reverse of the listed order; the pooling breaks ties by that order.
#pragma once

#include <vector>

#include "support/interrupt.hpp"
#include "monotone/building.hpp"
#include "monotone/child_list.hpp"

// The console message of a failed allocation while building.
constexpr const char* kBuildFailure = "\n Allocation in buildTree failure!";

// A listed child as the walk needs it: its node, its value and its own listed children.
template <class Entry>
struct ListedChild {
    int node;
    double value;
    const Entry* children;
    int count;
};

// Makes a block for every entry below the root, whose children are rootChildren[0..rootCount);
// describe(entry) gives the entry's ListedChild.
template <class Entry, class Describe>
void buildDepthFirst(BlockTree& tree, const Entry* rootChildren, int rootCount,
                     const Describe& describe) {
    // A block whose children are being made: its listed children, and how many are made.
    struct Frame {
        TreeBlock* block;
        const Entry* children;
        int count;
        int made;
    };
    reportingAllocationFailure(kBuildFailure, kTreeMemoryFailure, [&] {
        std::vector<Frame> stack{{tree.get(), rootChildren, rootCount, 0}};
        InterruptPoll poll;
        while (!stack.empty()) {
            poll.tick();
            Frame& frame = stack.back();
            if (frame.made == frame.count) {
                stack.pop_back();
                continue;
            }
            const ListedChild<Entry> child = describe(frame.children[frame.made++]);
            TreeBlock* made = tree.newBlock(child.node, child.value);
            putInFront(frame.block, made, made);
            if (child.count > 0) stack.push_back({made, child.children, child.count, 0});
        }
    });
}
