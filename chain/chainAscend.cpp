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
#include "support/interrupt.hpp"
#include "support/routine_failure.hpp"

#if defined(__GNUC__)
#define KEPT_APART __attribute__((noinline))
#elif defined(_MSC_VER)
#define KEPT_APART __declspec(noinline)
#else
#define KEPT_APART
#endif

namespace {

// The block that starts at i + 1: its mean and its last position.
struct OpenBlock {
    double mean;
    int end;
};

// Positions from, from - 1, ..., to + 1, given the block after them; returns the block that
// starts at to + 1. The open block stays in registers and goes to x and blockEnd only once no
// later position can join it: its mean is the input of the next step, and a round trip
// through memory would lengthen every step. Kept out of the caller, whose interrupt poll
// would otherwise keep it in memory.
KEPT_APART OpenBlock poolDownTo(double* x, const double* v, int* blockEnd, int n, int from, int to,
                                OpenBlock open) {
    double mean = open.mean;
    int end = open.end;
    for (int i = from; i > to; --i) {
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
    return OpenBlock{mean, end};
}

}  // namespace

void chainAscend(double* x, const double* v, int n) {
    if (n <= 0) {
        consolePrintf("\n n=%d should be an integer over 1!", n);
        throw RoutineFailure(reason::nonPositiveLength,
                             "n = " + std::to_string(n) + ": the sequence must not be empty");
    }
    const BlockEnds blockEnd = allocateBlockEnds(n);

    // A stretch of positions at a time, with a poll for an interrupt between stretches.
    OpenBlock open{v[n - 1], n - 1};
    InterruptPoll poll;
    const int stretch = static_cast<int>(InterruptPoll::kInterval);
    for (int from = n - 2; from >= 0; from -= stretch) {
        const int to = from > stretch ? from - stretch : -1;
        open = poolDownTo(x, v, blockEnd.data(), n, from, to, open);
        poll.tick(stretch);
    }
    x[0] = open.mean;
    blockEnd[0] = open.end;

    readOutBlocks(x, blockEnd.data(), n);
}
