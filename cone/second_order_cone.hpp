// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// The projection of a vector part, `count` elements `stride` apart, with its bound c onto
// {(x, t) : ||x||_2 <= t}: a row of a column-major matrix (stride m, rowCone) or a group of a
// vector (stride 1, powerShadowVectorR).
#pragma once

#include <cmath>
#include <cstddef>

#include "cone/cone_region.hpp"
#include "host/scaled_length.hpp"

// Writes x[0], x[stride], ... given the norm r of the vector part, and returns the projected
// bound. A point outside is scaled by t / r, the quotient formed before the product.
inline double projectWithNorm(double* x, const double* v, double c, std::ptrdiff_t count,
                              std::ptrdiff_t stride, double r) {
    const std::ptrdiff_t end = count * stride;
    switch (coneRegion(r, c)) {
        case ConeRegion::outside: {
            const double t = (r + c) / 2;
            const double scale = t / r;  // r > |c| >= 0: never a division by zero
            for (std::ptrdiff_t k = 0; k < end; k += stride) x[k] = scale * v[k];
            return t;
        }
        case ConeRegion::inside:
            for (std::ptrdiff_t k = 0; k < end; k += stride) x[k] = v[k];
            return c;
        case ConeRegion::polar:
        default:
            for (std::ptrdiff_t k = 0; k < end; k += stride) x[k] = 0;
            return 0;
    }
}

// Writes x[0], x[stride], ... and returns the projected bound. The sum of squares runs in
// element order. Where the norm r, or r + c, goes past the largest double, r and c are taken
// in units of 2^600 (the steps there are exactly those on v and c 2^600 times smaller) and
// the bound comes back in plain units: infinite only where it exceeds the largest double.
inline double projectOntoCone(double* x, const double* v, double c, std::ptrdiff_t count,
                              std::ptrdiff_t stride) {
    const std::ptrdiff_t end = count * stride;
    double sumOfSquares = 0;
    for (std::ptrdiff_t k = 0; k < end; k += stride) sumOfSquares += v[k] * v[k];
    const auto entry = [v, stride](std::ptrdiff_t k) { return v[k * stride]; };
    const double r = lengthFromSumOfSquares(sumOfSquares, count, entry);
    if (beyondCone(r, c) && pastLargestDouble((r + c) / 2)) {
        const double longR = lengthInLongUnits(count, entry);
        if (!pastLargestDouble(longR))  // else v is not finite
            return fromLongUnits(projectWithNorm(x, v, inLongUnits(c), count, stride, longR));
    }
    return projectWithNorm(x, v, c, count, stride, r);
}
