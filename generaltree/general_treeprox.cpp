// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// The proximal operator over slices of an index list.
#include "generaltree/generaltree.hpp"
#include "treetable/node_positions.hpp"
#include "treetable/tree_prox.hpp"

void general_treeprox(double* x, const double* v, int n, const double* G, const double* ind,
                      int nodes) {
    treetable::applyTree(x, v, n, ind, nodes, treetable::ListPositions{G},
                         treetable::TableWeights{});
}
