// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// Splicing into a doubly linked child list.
#pragma once

#include "monotone/monotone.hpp"

// Puts the linked blocks first..last, in their order, in front of the parent's child list.
inline void putInFront(TreeBlock* parent, TreeBlock* first, TreeBlock* last) {
    first->previousSibling = nullptr;
    last->nextSibling = parent->firstChild;
    if (parent->firstChild != nullptr)
        parent->firstChild->previousSibling = last;
    else
        parent->lastChild = last;
    parent->firstChild = first;
}
