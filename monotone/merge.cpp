// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// Pooling one child block into its parent.
#include <cmath>

#include "support/routine_failure.hpp"
#include "monotone/child_list.hpp"

void merge(TreeBlock* block, TreeBlock* child) {
    const double mean =
        (static_cast<double>(child->num) * child->m + static_cast<double>(block->num) * block->m) /
        static_cast<double>(block->num + child->num);
    // Finite values make a non-finite mean only by overflow; from there on the means would be
    // infinite or NaN, so the call fails before anything changes.
    if (!std::isfinite(mean))
        throw RoutineFailure(reason::overflow,
                             "the values are too large: a pooled mean overflows the double range");
    block->m = mean;
    block->num = block->num + child->num;

    block->appendNodesOf(child);

    TreeBlock* const firstHanded = child->firstChild();
    TreeBlock* const lastHanded = child->lastChild();
    unlinkChild(block, child);
    // The child's own children go, in their order, in front of the block's list.
    if (firstHanded != nullptr) putInFront(block, firstHanded, lastHanded);
}
