// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// Projections onto second-order (epigraph) cones: a vector part x with its bound t goes to the
// nearest point of {(x, t) : ||x|| <= t}, element by element, row by row or group by group.
//
// Plain routines over caller-owned arrays: outputs first, then inputs, then sizes. Nothing is
// printed. Long inputs are shared out among threads (support/parallel.hpp): then a call may fail
// for want of memory (std::bad_alloc) or by an interrupt (RoutineFailure "interrupted"), so a
// gateway calls them through its failure path.
#pragma once

// Projects every pair (v_i, c_i), i < n, onto {(x, t) : |x| <= t}. For n <= 0 nothing is
// written.
void elementCone(double* x, double* t, const double* v, const double* c, int n);

// Projects each row of the m-by-n column-major matrix V, with its bound c_i, onto
// {(x, t) : ||x||_2 <= t}; X is m-by-n, t has m elements. For m <= 0 nothing is written.
void rowCone(double* X, double* t, const double* V, const double* c, int m, int n);

// Projects each group k < g of v, with its bound c_k, onto {(x, t) : ||x||_2 <= t}. Group k
// holds the elements trunc(b[k]) .. trunc(b[k+1]) - 1 (b is 0-based, g + 1 entries); an empty
// group (end <= start) only sets t_k. Elements that no group covers are not written; where
// groups overlap, the last one in table order writes. Every non-empty group must lie inside
// 0 .. n-1 (see firstGroupOutsideByEnds in cone/groups.hpp). For g <= 0 nothing is written.
void powerShadowVectorR(double* x, double* t, const double* v, const double* c, const double* b,
                        int n, int g);
