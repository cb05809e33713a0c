// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// Tree-structured group penalties whose groups are ranges of consecutive positions.
//
// The node table `ind` holds `nodes` triples (start, end, weight), 1-based inclusive ranges
// with their weights, node 0 possibly the L1 node (-1, -1, w0) (treetable/node_table.hpp).
// The penalty is Omega(x) = w0 * sum_i |x_i| + sum_k w_k * ||x(start_k:end_k)||_2; the table
// lists every node after the nodes nested inside it. Row-wise routines (_mt) apply one table
// to every row of a rows-by-cols column-major matrix, its ranges indexing the columns.
//
// Plain routines over caller-owned arrays: outputs first, then inputs, then sizes and the
// table. They trust every range to lie inside the vector or the columns (the gateways check
// it). A node 0 that starts at -1 but does not end at -1 prints "\n Error! \n Check ind" and
// throws RoutineFailure(reason::badL1Node, ...).
#pragma once

// x = the proximal operator of Omega at v (n entries; x and v distinct).
void treeprox(double* x, const double* v, int n, const double* ind, int nodes);

// *value = Omega(x).
void penaltyValue(double* value, const double* x, int n, const double* ind, int nodes);

// *value = the largest ||x over group k|| / w_k over the nodes, and 0 if none is larger; an
// L1 node counts as the n groups of one entry, giving max |x_i| / w0.
void groupRatioCeiling(double* value, const double* x, int n, const double* ind, int nodes);

// *value = the smallest common factor of the weights at which treeprox maps v to zero, found
// to a relative gap of 1e-10 (treetable/critical_weight_search.hpp): 0 when v is empty or
// zero, +infinity when no finite factor zeroes it.
void criticalWeight(double* value, const double* v, int n, const double* ind, int nodes);

// *value = the largest critical weight over the rows of V, and 0 if none is larger.
void criticalWeight_mt(double* value, const double* V, int rows, int cols, const double* ind,
                       int nodes);

// X = treeprox applied to every row of V.
void treeprox_mt(double* X, const double* V, int rows, int cols, const double* ind, int nodes);
