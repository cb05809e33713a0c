// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// The value checks of the argument checker (sparsemex/_call.py), as loops in the order the
// modules make them, so that the first offender and an overflowing sum are those they find.
#pragma once

#include <cmath>
#include <cstddef>

namespace pyhost {

// The first of `count` values taken every `stride` elements that is NaN; -1 if none.
inline long long firstNaN(const double* data, long long count, long long stride) {
    for (long long k = 0; k < count; ++k)
        if (std::isnan(data[k * stride])) return k;
    return -1;
}

// The first such value that is not finite; -1 if none.
inline long long firstNonFinite(const double* data, long long count, long long stride) {
    for (long long k = 0; k < count; ++k)
        if (!std::isfinite(data[k * stride])) return k;
    return -1;
}

// The first value that is not finite, -2 when all are but the sum of their magnitudes,
// taken in order, overflows; -1 otherwise.
inline long long finiteSumCheck(const double* data, long long count, long long stride) {
    double sum = 0;
    for (long long k = 0; k < count; ++k) {
        const double value = data[k * stride];
        if (!std::isfinite(value)) return k;
        sum += std::fabs(value);
    }
    return std::isfinite(sum) ? -1 : -2;
}

}  // namespace pyhost
