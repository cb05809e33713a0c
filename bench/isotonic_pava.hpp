// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// The pool-adjacent-violators algorithm for the non-increasing least-squares fit, in place
// with a stack of blocks, as fast isotonic kernels do it: one pass from the first position
// pushes each value as a block and pools the top blocks while they violate the order, the
// blocks kept as sums and lengths so that a merge is two additions; a second pass spreads the
// block means. Clipping the fit at 0 gives the nonnegative fit, the chain fits' result up to
// rounding. The peer of chainAscend in the benchmarks.
#pragma once

#include <cstddef>

namespace peer {

// x receives the fit of v; length is scratch of n ints (the block stack's lengths, while x
// holds the block sums).
inline void pavaNonincreasing(double* x, int* length, const double* v, std::size_t n) {
    std::size_t top = 0;  // blocks 0 .. top-1 on the stack
    for (std::size_t i = 0; i < n; ++i) {
        double sum = v[i];
        int count = 1;
        // The block below violates the order when its mean is at or below the new one's.
        while (top > 0 && x[top - 1] * count <= sum * length[top - 1]) {
            --top;
            sum += x[top];
            count += length[top];
        }
        x[top] = sum;
        length[top] = count;
        ++top;
    }
    std::size_t end = n;
    while (top > 0) {
        --top;
        const double mean = x[top] / length[top];
        const double value = mean > 0 ? mean : 0.0;
        const std::size_t begin = end - static_cast<std::size_t>(length[top]);
        for (std::size_t i = begin; i < end; ++i) x[i] = value;
        end = begin;
    }
}

}  // namespace peer
