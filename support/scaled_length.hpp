// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// The Euclidean length of a vector from its plain sum of squares, taken again in scaled form
// only where that sum left the normal range: squares of entries above about 1e154 overflow,
// and below about 1e-154 they underflow. Where the plain sum is a normal number it is used as
// it is, so such results keep their bits.
#pragma once

#include <cfloat>
#include <cmath>
#include <cstddef>

// entry(k) gives the k-th of count entries.
template <class Entry>
double lengthFromSumOfSquares(double sumOfSquares, std::ptrdiff_t count, const Entry& entry) {
    if (sumOfSquares >= DBL_MIN && sumOfSquares <= DBL_MAX) return std::sqrt(sumOfSquares);
    double largest = 0;
    for (std::ptrdiff_t k = 0; k < count; ++k)
        if (std::fabs(entry(k)) > largest) largest = std::fabs(entry(k));
    if (!(largest > 0 && largest <= DBL_MAX)) return std::sqrt(sumOfSquares);
    double scaled = 0;
    for (std::ptrdiff_t k = 0; k < count; ++k) {
        const double ratio = entry(k) / largest;
        scaled += ratio * ratio;
    }
    return largest * std::sqrt(scaled);
}
