// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// The heap in which the pooling finds the child to merge with.
//
// The pooling merges a block with its child of largest mean, the one later in the child list
// among equal means. Scanning the list for it on every merge costs time quadratic in the
// number of children, and so does moving a merged child's children over one by one. Each
// block therefore keeps its children in a leftist heap, which finds that child, drops it,
// and takes in a whole other heap in logarithmic time.
//
// A child's place in the list is its rank: a block's list as built ranks 0, 1, 2, ..., and a
// merge, which puts the merged child's children in front of the list, shifts their ranks
// below all others, keeping their order. The shift is added lazily: to the root at once, and
// to the subheaps when the heap is next restructured there. A child waiting in a heap is
// settled, so its mean no longer changes.
#pragma once

#include "support/interrupt.hpp"
#include "monotone/monotone.hpp"

// Makes a heap of the block's child list, ranked 0, 1, 2, ... in list order; every child ticks
// the poll (a star's root has all other nodes for children).
void heapChildren(TreeBlock* block, InterruptPoll& poll);

// Removes the top of the block's heap, the child the pooling merges with next.
void dropTopChild(TreeBlock* block);

// Takes the children of `child`, which is being merged into the block, into the block's heap,
// ranked in front of the block's own children.
void takeChildrenInFront(TreeBlock* block, TreeBlock* child);
