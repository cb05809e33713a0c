// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// Tree-structured group penalties whose groups are lists of positions.
//
// The positions of all groups are written one after another into the index list G (1-based,
// truncated toward zero when read), and each node of the table `ind` names a slice of G by
// its start and end, instead of a range of the vector. Groups may therefore be scattered, and
// a position may belong to several groups; one listed twice in a slice counts twice. The L1
// node (-1, -1, w0) as node 0 acts on every entry and does not use G. Otherwise the routines
// are the shared tree algorithms of treetable/, as in the range-indexed family, with the
// same arithmetic.
//
// They trust every slice to lie inside G and every position it lists to lie inside the
// vector or the columns (the gateways check both).
#pragma once

// x = the proximal operator at v (n entries; x and v distinct).
void general_treeprox(double* x, const double* v, int n, const double* G, const double* ind,
                      int nodes);

// X = general_treeprox applied to every row of V (rows-by-cols, column-major); G lists columns.
void general_treeprox_mt(double* X, const double* V, int rows, int cols, const double* G,
                         const double* ind, int nodes);

// *value = the penalty at x.
void general_penaltyValue(double* value, const double* x, int n, const double* G, const double* ind,
                          int nodes);

// *value = the largest ratio of a group's Euclidean length to its weight, and 0 if none is
// larger; an L1 node counts as the n groups of one entry.
void general_groupRatioCeiling(double* value, const double* x, int n, const double* G,
                               const double* ind, int nodes);

// *value = the smallest common factor of the weights at which general_treeprox maps v to
// zero: 0 when v is empty or zero, +infinity when no finite factor zeroes it.
void general_criticalWeight(double* value, const double* v, int n, const double* G,
                            const double* ind, int nodes);

// *value = the largest critical weight over the rows of V, and 0 if none is larger.
void general_criticalWeight_mt(double* value, const double* V, int rows, int cols, const double* G,
                               const double* ind, int nodes);
