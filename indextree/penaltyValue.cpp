// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// The penalty value over index ranges.
#include "indextree/indextree.hpp"
#include "treetable/node_positions.hpp"
#include "treetable/tree_measures.hpp"

void penaltyValue(double* value, const double* x, int n, const double* ind, int nodes) {
    *value = treetable::penaltyOf(x, n, ind, nodes, treetable::RangePositions{});
}
