// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// The storage of a tree's blocks and index items.
//
// Chunks grow geometrically, so a small tree takes little memory and a large one few
// allocations; nothing is freed before the whole tree goes, which also spares the walk over
// every block that freeing them one by one would need.
#include <algorithm>

#include "monotone/monotone.hpp"

namespace {
const std::size_t kFirstChunk = 64;
const std::size_t kLargestGrownChunk = std::size_t(1) << 16;
}  // namespace

KeptSpare<BlockTree::Planting> BlockTree::keptChunk_;

// A new chunk has room for kFirstChunk blocks more than asked: the next tree's root takes the
// kept chunk before that tree reserves the rest, and the rest must still fit.
void BlockTree::reserve(std::size_t blocks) {
    if (lastChunkSize_ - usedInLastChunk_ >= blocks) return;
    chunks_.reserve(chunks_.size() + 1);
    chunks_.emplace_back(keptChunk_, blocks + kFirstChunk);
    lastChunkSize_ = chunks_.back().capacity();
    usedInLastChunk_ = 0;
}

TreeBlock* BlockTree::newBlock(int node, double value) {
    if (usedInLastChunk_ == lastChunkSize_)
        reserve(std::min(std::max(kFirstChunk, 2 * lastChunkSize_), kLargestGrownChunk));
    Planting& planting = chunks_.back()[usedInLastChunk_++];
    planting.item = IndexItem{node, nullptr};
    planting.block = TreeBlock{};
    planting.block.m = value;
    planting.block.num = 1;
    planting.block.head = planting.block.tail = &planting.item;
    return &planting.block;
}

TreeBlock* BlockTree::plantRoot(int node, double value) {
    root_ = newBlock(node, value);
    return root_;
}

BlockTree& BlockTree::operator=(BlockTree&& other) noexcept {
    if (this == &other) return *this;
    chunks_ = std::move(other.chunks_);
    lastChunkSize_ = std::exchange(other.lastChunkSize_, 0);
    usedInLastChunk_ = std::exchange(other.usedInLastChunk_, 0);
    root_ = std::exchange(other.root_, nullptr);
    other.chunks_.clear();
    return *this;
}

void BlockTree::release() {
    chunks_.clear();
    chunks_.shrink_to_fit();
    lastChunkSize_ = 0;
    usedInLastChunk_ = 0;
    root_ = nullptr;
}

void deleteTree(BlockTree& tree) { tree.release(); }
