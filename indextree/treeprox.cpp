// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// The proximal operator over index ranges.
#include "indextree/indextree.hpp"
#include "treetable/node_positions.hpp"
#include "treetable/tree_prox.hpp"

void treeprox(double* x, const double* v, int n, const double* ind, int nodes) {
    treetable::applyTree(x, v, n, ind, nodes, treetable::RangePositions{},
                         treetable::TableWeights{});
}
