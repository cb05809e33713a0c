// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// The largest group ratio over slices of an index list.
#include "generaltree/generaltree.hpp"
#include "treetable/node_positions.hpp"
#include "treetable/tree_measures.hpp"

void general_groupRatioCeiling(double* value, const double* x, int n, const double* G,
                               const double* ind, int nodes) {
    *value = treetable::largestGroupRatio(x, n, ind, nodes, treetable::ListPositions{G});
}
