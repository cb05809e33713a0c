// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
#include "chain/blocks.hpp"

#include "support/allocation_failure.hpp"

namespace {
KeptSpare<int> keptBlockEnds;
}  // namespace

BlockEnds allocateBlockEnds(int n) {
    const std::size_t count = n > 0 ? static_cast<std::size_t>(n) : 0;
    BlockEnds blockEnd;
    reportingAllocationFailure("\n Allocation of array failure!",
                               "out of memory for the block table",
                               [&] { blockEnd = BlockEnds(keptBlockEnds, count); });
    return blockEnd;
}

void readOutBlocks(double* x, const int* blockEnd, int n) {
    int s = 0;
    while (s < n) {
        if (!(x[s] > 0)) {
            for (int i = s; i < n; ++i) x[i] = 0;
            return;
        }
        const double mean = x[s];
        const int end = blockEnd[s];
        for (int i = s + 1; i <= end; ++i) x[i] = mean;
        s = end + 1;
    }
}
