// Releasing a tree of blocks.
//
// Without recursion and without allocating (an owner releases the tree from its destructor):
// the blocks still to free form one list, linked through nextSibling, to which each freed
// block's children are added.
#include "monotone/monotone.hpp"

namespace {

void freeItems(TreeBlock* block) {
    IndexItem* item = block->head;
    while (item != nullptr) {
        IndexItem* next = item->nextItem;
        delete item;
        item = next;
    }
    block->head = block->tail = nullptr;
}

}  // namespace

void deleteTree(TreeBlock* block) {
    TreeBlock* pending = nullptr;
    // The first block's own siblings are not part of its subtree, so it starts outside the list.
    TreeBlock* current = block;
    while (current != nullptr) {
        if (TreeBlock* child = current->firstChild) {
            TreeBlock* last = child;
            while (last->nextSibling != nullptr) last = last->nextSibling;
            last->nextSibling = pending;
            pending = child;
        }
        freeItems(current);
        delete current;
        current = pending;
        if (pending != nullptr) pending = pending->nextSibling;
    }
}
