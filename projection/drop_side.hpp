// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// One step of the L1-ball projection's search: the magnitudes of an active range on one side
// of a threshold are dropped, those on the other side gathered at one end of the range.
#pragma once

#include <algorithm>

#include "projection/two_ended_scan.hpp"

// Drops one side of x[b..e] at t by one-way moves. With keepAbove, the magnitudes > t are
// gathered at the right end and the new start of the range is returned; otherwise those <= t
// are gathered at the left end and the new end is returned.
//
// Scanning from both ends, the k-th magnitude > t met from the left pairs with the k-th <= t
// met from the right, and the two scans meet where the magnitudes <= t end once gathered.
inline int dropSideByScans(double* x, int b, int e, double t, bool keepAbove) {
    const ScanEnds ends = scanFromBothEnds(
        x, b, e, t, [](double) {},
        [&](int i, int j) {
            if (keepAbove)
                x[j] = x[i];
            else
                x[i] = x[j];
        });
    return keepAbove ? ends.i : ends.j;
}

// How many magnitudes of a range lie at or below a threshold, and how many above it (a NaN is
// neither).
struct SideCounts {
    int below;
    int above;
};

inline SideCounts countSides(const double* x, int b, int e, double t) {
    SideCounts counts{0, 0};
    for (int k = b; k <= e; ++k) {
        counts.below += x[k] <= t ? 1 : 0;
        counts.above += x[k] > t ? 1 : 0;
    }
    return counts;
}

// dropSideByScans's moves, found without a branch on the data, from the counts of x[b..e] at
// t: the count below gives the meeting point, and the misplaced positions on either side of
// it, listed in batches in scan order, make the same pairs. A NaN, on neither side of t,
// leaves the scans to find it.
inline int dropSideCounted(double* x, int b, int e, double t, bool keepAbove, SideCounts counts) {
    const int below = counts.below;
    if (below + counts.above != e - b + 1) return dropSideByScans(x, b, e, t, keepAbove);
    const int split = b + below;

    const int kBatch = 256;
    int left[kBatch], right[kBatch];
    int p = b, q = e;
    int leftCount = 0, rightCount = 0, leftUsed = 0, rightUsed = 0;
    for (;;) {
        if (leftUsed == leftCount) {
            leftUsed = leftCount = 0;
            for (; p < split && leftCount < kBatch; ++p) {
                left[leftCount] = p;
                leftCount += x[p] > t ? 1 : 0;
            }
        }
        if (rightUsed == rightCount) {
            rightUsed = rightCount = 0;
            for (; q >= split && rightCount < kBatch; --q) {
                right[rightCount] = q;
                rightCount += x[q] <= t ? 1 : 0;
            }
        }
        // Both sides hold as many misplaced positions, so both run out together.
        const int pairs = std::min(leftCount - leftUsed, rightCount - rightUsed);
        if (pairs == 0) break;
        for (int k = 0; k < pairs; ++k) {
            if (keepAbove)
                x[right[rightUsed + k]] = x[left[leftUsed + k]];
            else
                x[left[leftUsed + k]] = x[right[rightUsed + k]];
        }
        leftUsed += pairs;
        rightUsed += pairs;
    }
    return keepAbove ? split : split - 1;
}

// dropSideCounted, counting first.
inline int dropSide(double* x, int b, int e, double t, bool keepAbove) {
    return dropSideCounted(x, b, e, t, keepAbove, countSides(x, b, e, t));
}
