// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// The largest critical weight over the rows of a matrix, over index ranges.
#include "treetable/critical_weight_search.hpp"
#include "indextree/indextree.hpp"
#include "treetable/node_positions.hpp"

void criticalWeight_mt(double* value, const double* V, int rows, int cols, const double* ind,
                       int nodes) {
    *value = treetable::largestCriticalWeightOverRows(V, rows, cols, ind, nodes,
                                                      treetable::RangePositions{});
}
