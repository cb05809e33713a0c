// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// The symmetry that a sample covariance S must have. The sweep reads both triangles of S (W
// starts as a copy of all of S; the lasso step of column j reads row j), so an S that differs
// from its transpose has no single meaning.
#pragma once

#include <cstddef>
#include <cstdio>

#include "support/routine_failure.hpp"

// Fails with reason::notSymmetric, naming the first pair (column by column) with
// S(r, c) != S(c, r); zeros of either sign are equal.
inline void requireSymmetricCovariance(const double* S, int n) {
    const std::ptrdiff_t order = n;
    for (std::ptrdiff_t c = 0; c < order; ++c)
        for (std::ptrdiff_t r = c + 1; r < order; ++r) {
            const double below = S[r + c * order];
            const double above = S[c + r * order];
            if (below == above) continue;
            char text[300];
            std::snprintf(text, sizeof text,
                          "S must be symmetric, since both of its triangles are read, but "
                          "S(%lld,%lld) = %.17g and S(%lld,%lld) = %.17g; (S + S')/2 is symmetric",
                          static_cast<long long>(r) + 1, static_cast<long long>(c) + 1, below,
                          static_cast<long long>(c) + 1, static_cast<long long>(r) + 1, above);
            throw RoutineFailure(reason::notSymmetric, text);
        }
}
