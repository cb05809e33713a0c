// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// The scan from both ends by which the L1-ball projection's search splits its active range at
// a threshold: the partition at a guess, the three-way partition at the midpoint and the
// dropping of one side all walk x[b..e] this way, and differ only in what they do with the
// magnitudes met.
#pragma once

// Where the scans of x[b..e] ended: i on the first position of the part > t, j on the last
// of the part <= t.
struct ScanEnds {
    int i;
    int j;
};

// The left scan passes the magnitudes <= t, the right scan those > t, calling
// passedAbove(x[j]) for each, right to left; where both stop, x[i] > t and x[j] <= t, and
// misplaced(i, j) deals with the pair before both scans step past it. The scans end where
// they meet; a NaN, on neither side of t, stops both on itself (j = i).
template <class PassedAbove, class Misplaced>
inline ScanEnds scanFromBothEnds(double* x, int b, int e, double t, PassedAbove&& passedAbove,
                                 Misplaced&& misplaced) {
    int i = b;
    int j = e;
    while (i <= j) {
        while (i <= e && x[i] <= t) ++i;
        while (j >= b && x[j] > t) {
            passedAbove(x[j]);
            --j;
        }
        if (i >= j) break;
        misplaced(i, j);
        ++i;
        --j;
    }
    return ScanEnds{i, j};
}
