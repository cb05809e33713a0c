// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// The chain fit by pooling from the last position toward the first.
//
// Position i either starts a block of its own (v_i above the mean of the block after it) or
// joins that block, and the grown block then absorbs the following blocks while their means
// are at least its own. Every position joins a block to its left at most once: linear time.
// Lengths are converted to double before they multiply or divide.
#include <string>

#include "chain/blocks.hpp"
#include "chain/chain.hpp"
#include "support/console.hpp"
#include "support/routine_failure.hpp"

void chainAscend(double* x, const double* v, int n) {
    if (n <= 0) {
        consolePrintf("\n n=%d should be an integer over 1!", n);
        throw RoutineFailure(reason::nonPositiveLength,
                             "n = " + std::to_string(n) + ": the sequence must not be empty");
    }
    const BlockEnds blockEnd = allocateBlockEnds(n);

    // The block that starts at i + 1 stays in registers, its mean and its last position, and
    // goes to x and blockEnd only once no later position can join it: its mean is the input
    // of the next step, and a round trip through memory would lengthen every step.
    double mean = v[n - 1];
    int end = n - 1;
    for (int i = n - 2; i >= 0; --i) {
        if (v[i] > mean) {
            x[i + 1] = mean;
            blockEnd[i + 1] = end;
            mean = v[i];
            end = i;
            continue;
        }
        mean = (v[i] + mean * static_cast<double>(end - i)) / static_cast<double>(end - i + 1);
        int s = end + 1;
        while (s < n && x[s] >= mean) {
            const int g = blockEnd[s];
            mean = (mean * static_cast<double>(s - i) + x[s] * static_cast<double>(g - s + 1)) /
                   static_cast<double>(g - i + 1);
            end = g;
            s = g + 1;
        }
    }
    x[0] = mean;
    blockEnd[0] = end;

    readOutBlocks(x, blockEnd.data(), n);
}
