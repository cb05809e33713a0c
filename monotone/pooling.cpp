// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// Maximal-mean pooling of a tree of blocks, in place.
//
// Every block is settled after its children: it merges with its child of largest mean (the
// later one in the child list among equal means) for as long as its own mean does not exceed
// that child's, so a parent and a child of equal means are merged. Children handed over by a
// merge are settled already. The blocks are settled in an order found with an explicit stack,
// children before parents; settling one block touches only its own subtree, so the order
// among siblings does not change the result.
#include <utility>
#include <vector>

#include "support/interrupt.hpp"
#include "monotone/child_heap.hpp"
#include "monotone/monotone.hpp"

namespace {

void finish(TreeBlock* block, bool clampAtZero) {
    if (clampAtZero && block->m < 0) block->m = 0;
    block->done = 1;
}

// Merges the chosen child, the heap's top, into the block. Returns whether the block still
// has children. One block may merge with most of the tree, so every merge ticks the poll.
bool mergeChosen(TreeBlock* block, InterruptPoll& poll) {
    poll.tick();
    TreeBlock* chosen = block->childHeap();
    merge(block, chosen);
    dropTopChild(block);
    takeChildrenInFront(block, chosen);
    return block->firstChild() != nullptr;
}

// The heap holds exactly the block's children, so it is not empty while the block has any.
//
// A child of negative mean is never chosen. A block whose mean is not positive, facing no
// child of positive mean, absorbs its whole subtree and fits 0.
void settleNonnegative(TreeBlock* block, InterruptPoll& poll) {
    if (block->firstChild() == nullptr) return finish(block, true);
    heapChildren(block, poll);
    for (;;) {
        double largest = 0;
        if (block->childHeap()->m >= largest) largest = block->childHeap()->m;
        if (block->m <= 0 && largest == 0) {
            // Each merge hands the first child's children over, so this empties the subtree.
            while (block->firstChild() != nullptr) {
                poll.tick();
                merge(block, block->firstChild());
            }
            block->setChildHeap(nullptr);
            block->m = 0;
            return finish(block, false);
        }
        if (block->m > largest) return finish(block, false);
        if (!mergeChosen(block, poll)) return finish(block, true);
    }
}

void settleUnbounded(TreeBlock* block, InterruptPoll& poll) {
    if (block->firstChild() == nullptr) return finish(block, false);
    heapChildren(block, poll);
    for (;;) {
        if (block->m > block->childHeap()->m) return finish(block, false);
        if (!mergeChosen(block, poll)) return finish(block, false);
    }
}

template <class Settle>
void poolSubtree(TreeBlock* block, Settle settle) {
    if (block == nullptr) return;
    // A block is entered twice: first to stack its unsettled children, then to settle it.
    std::vector<std::pair<TreeBlock*, bool>> stack{{block, false}};
    // The walk's own poll stays in this loop; settling a block, which may heap and merge most
    // of the tree at once, ticks one of its own.
    InterruptPoll poll;
    InterruptPoll settling;
    while (!stack.empty()) {
        poll.tick();
        auto& [current, childrenStacked] = stack.back();
        if (childrenStacked) {
            TreeBlock* settled = current;
            stack.pop_back();
            settle(settled, settling);
            continue;
        }
        childrenStacked = true;
        TreeBlock* parent = current;
        // A star's root stacks all other nodes here.
        PollBatch stacked(poll);
        for (TreeBlock* child = parent->firstChild(); child != nullptr;
             child = child->nextSibling()) {
            if (child->done == 0) stack.push_back({child, false});
            stacked.add(1);
        }
        stacked.handOver();
    }
}

}  // namespace

void computeMaximalMean(TreeBlock* block) { poolSubtree(block, settleNonnegative); }

void computeMaximalMean_without_nonnegative(TreeBlock* block) {
    poolSubtree(block, settleUnbounded);
}
