// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// The norm shadow for 1 < p < infinity, by bisection on its multiplier (multiplier.hpp), and
// where that fails by the search in logarithms (norm_search.cpp).
//
// The problem is solved at unit scale, on the magnitudes of v and on rho divided by the binary
// scale s of v: the shadow of s v with weight s rho is s times the shadow of v with weight rho,
// and its multiplier is s^(2-p) times c. At unit scale s = 1 and nothing changes. The signs of
// v are put back at the end; v itself is never written.
#include <cfloat>
#include <climits>
#include <cmath>
#include <vector>

#include "projection/multiplier.hpp"
#include "projection/projection.hpp"

namespace {

// Whether the magnitude of v_i was taken by negation; those x_i get their sign back.
bool negated(double value) { return value != 0 && !(value > 0); }

// Accepts the bisection's answer x for the magnitudes a with weight rho (unit scale): the
// residual a - x of a shadow lies on the sphere of radius rho in the dual norm, so no
// element moves by more than rho. Tolerances: the bisection's own, and the rounding of a - x.
bool looksLikeShadow(const double* x, const std::vector<double>& a, double rho, double q,
                     double nv) {
    const int n = static_cast<int>(a.size());
    const double slack = 1e-6 * rho + 8 * DBL_EPSILON * nv;
    std::vector<double> residual(a.size());
    for (int i = 0; i < n; ++i) {
        if (!(x[i] >= 0 && x[i] <= a[i])) return false;
        residual[i] = a[i] - x[i];
        if (residual[i] > rho + slack) return false;
    }
    return std::fabs(vectorPNorm(residual.data(), q, n) - rho) <= slack;
}

// No element of a shadow lies farther than rho from v (the residual's largest element is at
// most its dual norm, rho). Where rho is near the spacing of the doubles at v_i, rounding
// can break that by more than the searches' tolerance: such an x_i is moved to the farthest
// double within rho of v_i, on the same side of zero.
void keepWithinWeight(double* x, const double* v, int n, double rho) {
    for (int i = 0; i < n; ++i) {
        const double moved = v[i] - x[i];
        if (!(std::fabs(moved) > rho * (1 + 1e-6))) continue;
        double nearest = moved > 0 ? v[i] - rho : v[i] + rho;
        if (std::fabs(v[i] - nearest) > rho) nearest = std::nextafter(nearest, v[i]);
        x[i] = (nearest > 0) == (v[i] > 0) ? nearest : 0;
    }
}

}  // namespace

void powerShadowGeneral(double* x, double* c, int* iterSteps, const double* v, int n, double rho,
                        double p) {
    const double q = 1 / (1 - 1 / p);
    const Magnitudes m = scaledMagnitudesOf(v, n);
    const double r = rho / m.scale;
    for (int i = 0; i < n; ++i) x[i] = 0;

    const double nv = vectorPNorm(m.a.data(), q, n);
    if (nv <= r) {
        *c = 0;
        iterSteps[1] = 0;
        iterSteps[0] = 0;
        return;
    }

    const MultiplierBracket bracket = multiplierBracket(m, nv, r, p);
    if (bracket.overflows) {
        powerShadowInf(x, c, iterSteps, v, n, rho, 0.0);
        keepWithinWeight(x, v, n, rho);
        return;
    }
    const double cScale = std::pow(m.scale, 2 - p);
    Bisection found{0, 0, 0, true};
    if (bracket.c1 >= 0 && bracket.c2 <= DBL_MAX) found = bisectMultiplier(x, m.a, r, p, bracket);
    double multiplier = found.c * cScale;
    if (found.failed || !looksLikeShadow(x, m.a, r, q, nv)) {
        const NormSearch search = searchShadowNorm(x, m.a, r, p);
        // c = rho ||x||_p^(1-p) at unit scale, times scale^(2-p), formed in logarithms.
        multiplier = std::exp(std::log(r) + (1 - p) * search.logNorm + (2 - p) * std::log(m.scale));
        found.iterations += search.iterations;
        found.newtonSteps += search.innerSteps;
    }
    keepWithinWeight(x, m.a.data(), n, r);
    for (int i = 0; i < n; ++i) {
        x[i] = x[i] * m.scale;
        if (negated(v[i])) x[i] = -x[i];
    }
    *c = multiplier;
    iterSteps[0] = found.iterations;
    iterSteps[1] = found.newtonSteps > INT_MAX ? INT_MAX : static_cast<int>(found.newtonSteps);
}
