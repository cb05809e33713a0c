// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
#include <cfloat>
#include <cmath>

#include "projection/projection.hpp"

namespace {

// The same norm with the entries divided by the largest one, so that no power overflows or
// underflows; used only where the plain sum did.
double rescaledNorm(const double* x, double p, int n, double largest) {
    double s = 0;
    for (int i = 0; i < n; ++i) s += std::pow(x[i] / largest, p);
    return largest * std::pow(s, 1 / p);
}

}  // namespace

double vectorPNorm(const double* x, double p, int n) {
    double s = 0;
    for (int i = 0; i < n; ++i) s += std::pow(x[i], p);
    if (s >= DBL_MIN && s <= DBL_MAX) return std::pow(s, 1 / p);

    // The sum overflowed or underflowed (large p, or p near 1 in the dual norm), or x is zero.
    double largest = 0;
    for (int i = 0; i < n; ++i)
        if (x[i] > largest) largest = x[i];
    if (!(largest > 0 && largest <= DBL_MAX)) return std::pow(s, 1 / p);
    return rescaledNorm(x, p, n, largest);
}
