// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// Splicing into and out of a doubly linked child list (monotone.hpp: the first child's
// previous link leads to the last child).
#pragma once

#include "monotone/monotone.hpp"

// Puts the linked blocks first..last, in their order, in front of the parent's child list.
inline void putInFront(TreeBlock* parent, TreeBlock* first, TreeBlock* last) {
    TreeBlock* const oldFirst = parent->firstChild();
    TreeBlock* const oldLast = parent->lastChild();
    last->setNextSibling(oldFirst);
    if (oldFirst != nullptr) oldFirst->setPrevious(last);
    first->setPrevious(oldFirst != nullptr ? oldLast : last);
    parent->setFirstChild(first);
}

// Takes `child` out of the parent's child list.
inline void unlinkChild(TreeBlock* parent, TreeBlock* child) {
    TreeBlock* const next = child->nextSibling();
    TreeBlock* const first = parent->firstChild();
    // The child's previous link: the last child when it is the first, none when it is alone.
    TreeBlock* const previous = child == first ? parent->lastChild() : child->previousInRing();
    if (child == first) {
        parent->setFirstChild(next);
        if (next != nullptr) next->setPrevious(previous);
        return;
    }
    previous->setNextSibling(next);
    if (next != nullptr)
        next->setPrevious(previous);
    else
        first->setPrevious(previous);
}
