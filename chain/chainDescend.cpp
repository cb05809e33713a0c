// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// The chain fit by largest prefix means, from the first position on.
//
// From each block start s, the block is the longest prefix s..i whose mean is largest; the
// sums start afresh at every block start, so the tail is scanned once per block (quadratic
// in n for a fit of many blocks, such as a strictly decreasing positive sequence). When no
// prefix from s has a positive mean, s gets the marker -1 and the read-out zeroes from there.
#include "chain/blocks.hpp"
#include "chain/chain.hpp"
#include "support/interrupt.hpp"

void chainDescend(double* x, const double* v, int n) {
    if (n <= 0) return;
    const BlockEnds blockEnd = allocateBlockEnds(n);

    InterruptPoll poll;
    int s = 0;
    while (true) {
        poll.tick(n - s);  // each block scans the rest of v
        blockEnd[s] = s;
        double best = 0;
        double sum = 0;
        for (int i = s; i < n; ++i) {
            sum = sum + v[i];
            const double mean = sum / (i - s + 1);
            if (mean >= best) {
                best = mean;
                blockEnd[s] = i;
            }
        }
        if (!(best > 0)) {
            x[s] = -1;
            break;
        }
        x[s] = best;
        s = blockEnd[s] + 1;
        if (s >= n) break;
    }

    readOutBlocks(x, blockEnd.data(), n);
}
