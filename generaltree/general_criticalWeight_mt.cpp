// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// The largest critical weight over the rows of a matrix, over slices of an index list.
#include "generaltree/generaltree.hpp"
#include "treetable/critical_weight_search.hpp"
#include "treetable/node_positions.hpp"

void general_criticalWeight_mt(double* value, const double* V, int rows, int cols, const double* G,
                               const double* ind, int nodes) {
    *value = treetable::largestCriticalWeightOverRows(V, rows, cols, ind, nodes,
                                                      treetable::ListPositions{G});
}
