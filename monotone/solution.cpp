// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// Reading the fitted values out of a pooled tree.
//
// In preorder, a block's nodes before its children, children in list order: a node listed
// under several parents sits in several blocks, and the last one written decides its value.
// The stack holds the next siblings still to visit, so a path needs none of it.
#include <vector>

#include "support/interrupt.hpp"
#include "monotone/monotone.hpp"

void computeSolution(double* x, const TreeBlock* block) {
    std::vector<const TreeBlock*> pendingSiblings;
    const TreeBlock* current = block;
    InterruptPoll poll;
    while (current != nullptr) {
        poll.tick(current->num);
        // All of a block's nodes take its mean, so its list is read in either direction.
        const TreeBlock* listing = current;
        do {
            x[listing->node] = current->m;
            listing = listing->earlierListing();
        } while (listing != current);
        // The first block's siblings are not part of its subtree.
        const TreeBlock* sibling = current == block ? nullptr : current->nextSibling();
        if (current->firstChild() != nullptr) {
            if (sibling != nullptr) pendingSiblings.push_back(sibling);
            current = current->firstChild();
        } else if (sibling != nullptr) {
            current = sibling;
        } else if (!pendingSiblings.empty()) {
            current = pendingSiblings.back();
            pendingSiblings.pop_back();
        } else {
            current = nullptr;
        }
    }
}
