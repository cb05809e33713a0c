// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// The storage of a tree's blocks.
//
// The whole tree's size is known before its first block is made, so one array holds every
// block; nothing is freed before the whole tree goes, which also spares the walk over every
// block that freeing them one by one would need.
#include <stdexcept>

#include "monotone/monotone.hpp"

KeptSpare<TreeBlock> BlockTree::keptBlocks_;

// One block per node listing is all that a tree costs, besides its child table.
static_assert(sizeof(TreeBlock) == 64, "a block fills one cache line's worth of bytes");

void TreeBlock::plant(int listedNode, double value) {
    m = value;
    num = 1;
    rank = pendingShift = firstRank = lastRank = 0;
    node = listedNode;
    heapDistance = 0;
    done = 0;
    childHeap_ = heapLeft_ = heapRight_ = 0;
    firstChild_ = nextSibling_ = previous_ = 0;
    earlierListing_ = 0;
}

// This block's list ends with the last listing of the other's, and the other's own listing
// follows this block's last.
void TreeBlock::appendNodesOf(TreeBlock* other) {
    TreeBlock* const myLast = this + earlierListing_;
    TreeBlock* const theirLast = other + other->earlierListing_;
    earlierListing_ = static_cast<std::int32_t>(theirLast - this);
    other->earlierListing_ = static_cast<std::int32_t>(myLast - other);
}

TreeBlock* BlockTree::plantRoot(int node, double value, std::size_t blocks) {
    release();
    blocks_ = KeptStorage<TreeBlock>(keptBlocks_, blocks);
    root_ = newBlock(node, value);
    return root_;
}

TreeBlock* BlockTree::newBlock(int node, double value) {
    if (used_ == blocks_.capacity())
        throw std::length_error("more blocks than the tree was planted with");
    TreeBlock* block = &blocks_[used_++];
    block->plant(node, value);
    return block;
}

BlockTree& BlockTree::operator=(BlockTree&& other) noexcept {
    if (this == &other) return *this;
    blocks_ = std::move(other.blocks_);
    used_ = std::exchange(other.used_, 0);
    root_ = std::exchange(other.root_, nullptr);
    return *this;
}

void BlockTree::release() {
    blocks_ = KeptStorage<TreeBlock>();
    used_ = 0;
    root_ = nullptr;
}

void deleteTree(BlockTree& tree) { tree.release(); }
