// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// Group boundary tables: g + 1 doubles of 0-based element indices. Group k starts at
// trunc(b[k]) and has trunc(b[k+1] - b[k]) elements, the difference taken between the doubles.
#pragma once

#include "support/value_checks.hpp"

struct IndexGroup {
    int start;
    int length;
};

IndexGroup groupOfTable(const double* b, int k);

// The first of the g groups of the table that leaves 0..n-1 or has a negative length (a
// decreasing table), read as groupOfTable reads them; -1 when every group fits. (The cone's
// tables read their groups by their two ends instead: firstGroupOutsideByEnds.)
int firstGroupOutsideByLength(const double* b, int g, int n);

// The first of the g groups of the table (all known to fit) whose elements of v fail
// finiteSumCheck, as firstRowWithoutFiniteSum tells of rows.
valuecheck::PieceFinding firstGroupWithoutFiniteSum(const double* v, const double* b, int g);
