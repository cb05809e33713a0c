// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// The critical weight over slices of an index list.
#include "generaltree/generaltree.hpp"
#include "treetable/critical_weight_search.hpp"
#include "treetable/node_positions.hpp"

void general_criticalWeight(double* value, const double* v, int n, const double* G,
                            const double* ind, int nodes) {
    *value = treetable::criticalWeightOf(v, n, ind, nodes, treetable::ListPositions{G});
}
