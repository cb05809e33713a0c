// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// The scale of a vector as a power of two: the searches take their tolerances relative to it,
// so that their answers do not depend on the units of the data. Dividing or multiplying by a
// power of two is exact in binary floating point, and at unit scale (largest magnitude in
// [1, 2)) the scale is 1, which changes nothing.
#pragma once

#include <cfloat>
#include <cmath>

// The power of two s with largest in [s, 2s); 1 for 0 and for values that are not finite.
inline double binaryScale(double largest) {
    if (!(largest > 0 && largest <= DBL_MAX)) return 1;
    int exponent;
    std::frexp(largest, &exponent);  // largest = f 2^exponent with f in [0.5, 1)
    return std::ldexp(1.0, exponent - 1);
}
