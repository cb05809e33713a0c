// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// The norm shadow for any p >= 1: the closed forms where they exist, the bisection otherwise.
#include "projection/domain.hpp"
#include "projection/projection.hpp"

namespace {

// From here on the p-norm is the infinity norm to within rounding.
const double kInfinityFrom = 1e6;

}  // namespace

bool shadowChainsRows(double p) { return p >= kInfinityFrom; }

void powerShadow(double* x, double* c, int* iterSteps, const double* v, int n, double rho, double p,
                 double c0) {
    requireNonnegativeWeight(rho);
    requireNormExponent(p);
    if (p == 1) {
        powerShadowOne(x, v, n, rho);
    } else if (p == 2) {
        powerShadowTwo(x, v, n, rho);
    } else if (p >= kInfinityFrom) {
        powerShadowInf(x, c, iterSteps, v, n, rho, c0);
        return;
    } else {
        powerShadowGeneral(x, c, iterSteps, v, n, rho, p);
        return;
    }
    *c = 0;
    iterSteps[1] = 0;
    iterSteps[0] = 0;
}
