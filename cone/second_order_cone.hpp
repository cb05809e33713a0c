// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// The projection of a vector part, `count` elements `stride` apart, with its bound c onto
// {(x, t) : ||x||_2 <= t}: a row of a column-major matrix (stride m, rowCone) or a group of a
// vector (stride 1, powerShadowVectorR).
#pragma once

#include <cmath>
#include <cstddef>

#include "cone/cone_region.hpp"
#include "support/scaled_length.hpp"

// The same projection where the bound (r + c) / 2 went past the largest double (the norm r
// with it, or r + c alone): r and c taken in units of 2^600, where the steps are exactly
// those on v and c 2^600 times smaller; the bound returned in plain units, infinite only
// where it exceeds the largest double itself. Out of line: it is rare.
double projectLongOntoCone(double* x, const double* v, double c, std::ptrdiff_t count,
                           std::ptrdiff_t stride, double r);

// Writes x[0], x[stride], ... given the norm r of the vector part, and returns the projected
// bound. A point outside is scaled by t / r, the quotient formed before the product. With
// kRedoPastLargest, a bound past the largest double sends the projection to
// projectLongOntoCone.
template <bool kRedoPastLargest>
double projectWithNorm(double* x, const double* v, double c, std::ptrdiff_t count,
                       std::ptrdiff_t stride, double r) {
    const std::ptrdiff_t end = count * stride;
    switch (coneRegion(r, c)) {
        case ConeRegion::outside: {
            const double t = (r + c) / 2;
            if (kRedoPastLargest && pastLargestDouble(t))
                return projectLongOntoCone(x, v, c, count, stride, r);
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
// element order.
inline double projectOntoCone(double* x, const double* v, double c, std::ptrdiff_t count,
                              std::ptrdiff_t stride) {
    const std::ptrdiff_t end = count * stride;
    double sumOfSquares = 0;
    for (std::ptrdiff_t k = 0; k < end; k += stride) sumOfSquares += v[k] * v[k];
    const double r = lengthFromSumOfSquares(sumOfSquares, count,
                                            [v, stride](std::ptrdiff_t k) { return v[k * stride]; });
    return projectWithNorm<true>(x, v, c, count, stride, r);
}
