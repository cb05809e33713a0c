// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// A choice between two doubles made with bit masks rather than a branch: the cone cases
// follow no pattern in real data, and mispredicted branches would cost more than the
// arithmetic of both candidates.
#pragma once

#include <cstdint>
#include <cstring>

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
