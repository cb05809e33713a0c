// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// The norm shadows that have a closed form: p = 1, p = 2 and p = infinity.
#include <cmath>

#include "support/scaled_length.hpp"

#include "projection/projection.hpp"

namespace {

// x = v shrunk by rho in Euclidean length, given that length r (r and rho in the same units).
void shrinkByLength(double* x, const double* v, int n, double r, double rho) {
    if (r <= rho) {
        for (int i = 0; i < n; ++i) x[i] = 0;
        return;
    }
    const double k = (r - rho) / r;
    for (int i = 0; i < n; ++i) x[i] = v[i] * k;
}

// The same for a v whose length overflowed: r and rho in units of 2^600, where the factor
// (r - rho) / r is the same. A v that is not finite keeps the plain arithmetic.
void shrinkLongVector(double* x, const double* v, int n, double r, double rho) {
    const double longR = lengthInLongUnits(n, [v](std::ptrdiff_t i) { return v[i]; });
    if (pastLargestDouble(longR))
        shrinkByLength(x, v, n, r, rho);
    else
        shrinkByLength(x, v, n, longR, inLongUnits(rho));
}

}  // namespace

void powerShadowOne(double* x, const double* v, int n, double rho) {
    for (int i = 0; i < n; ++i) {
        const double a = std::fabs(v[i]);
        if (rho >= a)
            x[i] = 0;
        else if (v[i] < -rho)
            x[i] = v[i] + rho;
        else
            x[i] = v[i] - rho;
    }
}

void powerShadowTwo(double* x, const double* v, int n, double rho) {
    double s = 0;
    for (int i = 0; i < n; ++i) s += v[i] * v[i];
    const double r = lengthFromSumOfSquares(s, n, [v](std::ptrdiff_t i) { return v[i]; });
    if (pastLargestDouble(r))
        shrinkLongVector(x, v, n, r, rho);
    else
        shrinkByLength(x, v, n, r, rho);
}

// By Moreau's decomposition the shadow is v minus its projection onto the dual-norm ball, the
// L1 ball of radius rho.
void powerShadowInf(double* x, double* c, int* iterSteps, const double* v, int n, double rho,
                    double c0) {
    int steps = 0;
    simplexShadow(x, c, &steps, v, n, rho, c0);
    for (int i = 0; i < n; ++i) x[i] = v[i] - x[i];
    iterSteps[0] = steps;
    iterSteps[1] = 0;
}
