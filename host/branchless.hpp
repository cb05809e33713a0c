// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// A choice made on a double's bits, for loops whose comparisons come out at random on real
// data: a compiler may turn a conditional expression into a branch, whose mispredictions then
// cost more than the work; a mask never does. The result is exact: the operand's bits, or +0.
#pragma once

#include <cstdint>
#include <cstring>

// a when `keep`, +0 otherwise.
inline double keptIf(bool keep, double a) {
    std::uint64_t bits;
    std::memcpy(&bits, &a, sizeof bits);
    bits &= ~(static_cast<std::uint64_t>(keep) - 1);
    std::memcpy(&a, &bits, sizeof bits);
    return a;
}
