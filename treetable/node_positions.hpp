// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// Where a node's list indices point in the vector. The tree routines are written once over
// these two policies: a group of consecutive positions (the index-tree routines) or a slice
// of an index list G of 1-based positions (the general index-tree routines).
//
// disjoint(a, b) tells whether two nodes surely share no position, so that one's result
// cannot change what the other reads.
#pragma once

#include "support/truncate.hpp"
#include "treetable/node_table.hpp"

namespace treetable {

// List index j is position j itself.
struct RangePositions {
    int operator[](int j) const { return j; }

    static bool disjoint(const Node& a, const Node& b) {
        return a.end <= b.first || b.end <= a.first || a.end <= a.first || b.end <= b.first;
    }
};

// List index j is position trunc(G[j]) - 1. Slices may list the same positions, and telling
// would cost a pass over them, so no two nodes count as disjoint.
struct ListPositions {
    const double* G;
    int operator[](int j) const { return truncateToInt(G[j]) - 1; }

    static bool disjoint(const Node&, const Node&) { return false; }
};

}  // namespace treetable
