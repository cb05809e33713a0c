// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// The group boundary table of powerShadowVectorR: g + 1 doubles of 0-based element indices,
// group k running from trunc(b[k]) up to, not including, trunc(b[k+1]).
#pragma once

#include "support/truncate.hpp"

struct GroupRange {
    int start;
    int end;  // one past the last element
    bool empty() const { return end <= start; }
};

inline GroupRange groupRange(const double* b, int k) {
    return GroupRange{truncateToInt(b[k]), truncateToInt(b[k + 1])};
}

// The first of the g groups, read as groupRange reads them, that is not empty and reaches
// outside the elements 0 .. n-1, or -1 when every group that would be read and written lies
// inside them. (The projections' tables give each group a start and a length instead:
// firstGroupOutsideByLength.)
int firstGroupOutsideByEnds(const double* b, int g, int n);
