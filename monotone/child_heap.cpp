// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
#include "monotone/child_heap.hpp"

#include <cstdint>
#include <utility>

namespace {

// The offset of rank 0 (monotone.hpp): offset ranks compare as unsigned numbers.
const std::uint32_t kRankZero = std::uint32_t(1) << 31;

// Whether the pooling would pick b rather than a. Both ranks are current.
bool picksLater(const TreeBlock* a, const TreeBlock* b) {
    return a->m < b->m || (a->m == b->m && a->rank < b->rank);
}

int distance(const TreeBlock* heap) { return heap == nullptr ? 0 : heap->heapDistance; }

void shift(TreeBlock* heap, std::uint32_t by) {
    if (heap == nullptr) return;
    heap->rank += by;
    heap->pendingShift += by;
}

void pushShiftDown(TreeBlock* heap) {
    if (heap->pendingShift == 0) return;
    shift(heap->heapLeft(), heap->pendingShift);
    shift(heap->heapRight(), heap->pendingShift);
    heap->pendingShift = 0;
}

// Melds two heaps along their right spines, which are at most log2(size + 1) long, so the
// recursion stays shallow.
TreeBlock* meld(TreeBlock* a, TreeBlock* b) {
    if (a == nullptr) return b;
    if (b == nullptr) return a;
    if (picksLater(a, b)) std::swap(a, b);
    pushShiftDown(a);
    a->setHeapRight(meld(a->heapRight(), b));
    if (distance(a->heapLeft()) < distance(a->heapRight())) a->swapSubheaps();
    a->heapDistance = static_cast<unsigned char>(distance(a->heapRight()) + 1);
    return a;
}

}  // namespace

void heapChildren(TreeBlock* block, InterruptPoll& poll) {
    TreeBlock* heap = nullptr;
    std::uint32_t rank = kRankZero;
    PollBatch children(poll);
    for (TreeBlock* child = block->firstChild(); child != nullptr; child = child->nextSibling()) {
        child->rank = rank++;
        child->pendingShift = 0;
        child->setHeapLeft(nullptr);
        child->setHeapRight(nullptr);
        child->heapDistance = 1;
        heap = meld(heap, child);
        children.add(1);
    }
    children.handOver();
    block->setChildHeap(heap);
    block->firstRank = kRankZero;
    block->lastRank = rank - 1;
}

void dropTopChild(TreeBlock* block) {
    TreeBlock* top = block->childHeap();
    pushShiftDown(top);
    block->setChildHeap(meld(top->heapLeft(), top->heapRight()));
}

void takeChildrenInFront(TreeBlock* block, TreeBlock* child) {
    TreeBlock* heap = child->childHeap();
    if (heap == nullptr) return;
    const std::uint32_t by = block->firstRank - 1 - child->lastRank;
    shift(heap, by);
    if (block->childHeap() == nullptr) block->lastRank = child->lastRank + by;
    block->firstRank = child->firstRank + by;
    block->setChildHeap(meld(block->childHeap(), heap));
}
