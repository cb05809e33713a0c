// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// The proximal operator over slices of an index list, row by row.
#include "generaltree/generaltree.hpp"
#include "treetable/node_positions.hpp"
#include "treetable/tree_prox.hpp"

void general_treeprox_mt(double* X, const double* V, int rows, int cols, const double* G,
                         const double* ind, int nodes) {
    treetable::applyTreeToRows(X, V, rows, cols, ind, nodes, treetable::ListPositions{G});
}
