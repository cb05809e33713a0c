// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// The Euclidean length of a vector from its plain sum of squares, taken again in scaled form
// only where that sum left the normal range: squares of entries above about 1e154 overflow,
// and below about 1e-154 they underflow. Where the plain sum is a normal number it is used as
// it is, so such results keep their bits.
//
// A length of finite entries can still exceed the largest double (two entries of 1.5e308
// have length 2.1e308). The routines then carry it, and the weights or bounds compared with
// it, in units of 2^600: multiplying by a power of two is exact, so they compute there
// exactly what they compute on data 2^600 times smaller. Below the largest double nothing
// of this is used.
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

// Whether a length, sum or bound has gone past the largest double (NaN has not).
inline bool pastLargestDouble(double value) { return std::fabs(value) > DBL_MAX; }

// From plain units to units of 2^600 and back. Finite entries of at most 2^31 squares
// summed there stay far below the largest double, and a length that overflowed in plain
// units is at least 2^424 there, so weights down to 2^-422 keep every bit beside it.
inline double inLongUnits(double value) { return value * 0x1p-600; }
inline double fromLongUnits(double value) { return value * 0x1p600; }

// The sum of the squares of count entries in units of 2^600 (squared): summed in entry
// order from 0, as the plain sum is.
template <class Entry>
double squaresInLongUnits(std::ptrdiff_t count, const Entry& entry) {
    double sum = 0;
    for (std::ptrdiff_t k = 0; k < count; ++k) {
        const double value = inLongUnits(entry(k));
        sum = sum + value * value;
    }
    return sum;
}

// The Euclidean length of count entries in units of 2^600.
template <class Entry>
double lengthInLongUnits(std::ptrdiff_t count, const Entry& entry) {
    return std::sqrt(squaresInLongUnits(count, entry));
}

// (a + b) / 2, halved before the sum where the sum overflows (halving is exact there, so the
// result is the rounded half of the exact sum either way).
inline double halfSum(double a, double b) {
    const double sum = a + b;
    return pastLargestDouble(sum) ? a * 0.5 + b * 0.5 : sum / 2;
}
