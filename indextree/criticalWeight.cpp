// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// The critical weight over index ranges.
#include "treetable/critical_weight_search.hpp"
#include "indextree/indextree.hpp"
#include "treetable/node_positions.hpp"

void criticalWeight(double* value, const double* v, int n, const double* ind, int nodes) {
    *value = treetable::criticalWeightOf(v, n, ind, nodes, treetable::RangePositions{});
}
