// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// Cone projections whose bound goes past the largest double.
#include "cone/second_order_cone.hpp"

double projectLongOntoCone(double* x, const double* v, double c, std::ptrdiff_t count,
                           std::ptrdiff_t stride, double r) {
    const double longR =
        lengthInLongUnits(count, [v, stride](std::ptrdiff_t k) { return v[k * stride]; });
    if (pastLargestDouble(longR))  // v not finite: the plain arithmetic
        return projectWithNorm<false>(x, v, c, count, stride, r);
    return fromLongUnits(projectWithNorm<false>(x, v, inLongUnits(c), count, stride, longR));
}
