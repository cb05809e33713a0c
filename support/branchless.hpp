// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// Choices made on a double's bits, for loops whose comparisons come out at random on real
// data: a compiler may turn a conditional expression into a branch, whose mispredictions then
// cost more than the work; a mask never does. The result is exact: one operand's bits.
#pragma once

#include <cstdint>
#include <cstring>

// yes when `condition`, no otherwise.
inline double pick(bool condition, double yes, double no) {
    std::uint64_t yesBits, noBits;
    std::memcpy(&yesBits, &yes, sizeof yesBits);
    std::memcpy(&noBits, &no, sizeof noBits);
    const std::uint64_t mask = -static_cast<std::uint64_t>(condition);
    const std::uint64_t bits = (yesBits & mask) | (noBits & ~mask);
    double result;
    std::memcpy(&result, &bits, sizeof result);
    return result;
}

// a when `keep`, +0 otherwise.
inline double keptIf(bool keep, double a) { return pick(keep, a, 0.0); }
