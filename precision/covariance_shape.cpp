// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
#include <cmath>
#include <cstdint>
#include <cstring>

#include "precision/column_lasso.hpp"

namespace {

bool sameBits(double a, double b) {
    std::uint64_t x, y;
    std::memcpy(&x, &a, sizeof x);
    std::memcpy(&y, &b, sizeof y);
    return x == y;
}

}  // namespace

CovarianceShape examineCovariance(const double* W, int n) {
    CovarianceShape shape{true, true};
    const std::ptrdiff_t order = n;
    for (std::ptrdiff_t c = 0; c < order; ++c) {
        for (std::ptrdiff_t r = 0; r < order; ++r) {
            const double value = W[r + c * order];
            if (!std::isfinite(value)) shape.finite = false;
            if (r < c && !sameBits(value, W[c + r * order])) shape.symmetric = false;
        }
    }
    return shape;
}
