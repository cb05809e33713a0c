// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// The proximal operator over index ranges, row by row.
#include "indextree/indextree.hpp"
#include "treetable/node_positions.hpp"
#include "treetable/tree_prox.hpp"

void treeprox_mt(double* X, const double* V, int rows, int cols, const double* ind, int nodes) {
    treetable::applyTreeToRows(X, V, rows, cols, ind, nodes, treetable::RangePositions{});
}
