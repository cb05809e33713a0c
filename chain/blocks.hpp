// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// The blocks of a chain fit during a sweep: for a block starting at s, x[s] holds its mean and
// blockEnd[s] its last position; other entries are scratch until the read-out.
#pragma once

#include "support/kept_storage.hpp"

using BlockEnds = KeptStorage<int>;

// The blockEnd array for n positions, kept from call to call and not zero-filled. A failed
// allocation prints "\n Allocation of array failure!" and fails (reason::outOfMemory).
BlockEnds allocateBlockEnds(int n);

// Spreads each block's mean over its positions, from the first block on; from the first block
// whose mean is not positive, every position is 0.
void readOutBlocks(double* x, const int* blockEnd, int n);
