// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// The largest group ratio over index ranges.
#include "indextree/indextree.hpp"
#include "treetable/node_positions.hpp"
#include "treetable/tree_measures.hpp"

void groupRatioCeiling(double* value, const double* x, int n, const double* ind, int nodes) {
    *value = treetable::largestGroupRatio(x, n, ind, nodes, treetable::RangePositions{});
}
