// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// The magnitudes at unit scale and the bracket of the multiplier c.
#include <algorithm>
#include <cfloat>
#include <cmath>

#include "projection/binary_scale.hpp"
#include "projection/multiplier.hpp"

namespace {

// exp overflows above this: a value with a larger logarithm cannot be formed.
const double kLogLimit = 709.0;

// The logarithm of an upper bound of c for p > 2, from the data: c equals
// rho ||x||_p^(1-p), and ||x||_p is at least the larger of
//   t ||a||_q k^(1/p - 1/q)  (||x||_q >= ||a||_q - ||a - x||_q = t ||a||_q, and Hoelder on the
//                             k nonzeros)
//   largest - rho            (c x_1^(p-1) <= rho for the largest element x_1).
// Twice the bound, for the rounding of its terms.
double logUpperBound(const Magnitudes& m, double nv, double rho, double t, double p) {
    const double q = 1 / (1 - 1 / p);
    long long nonzeros = 0;
    for (double a : m.a) nonzeros += a != 0;
    const double fromDualNorm = t * nv * std::pow(static_cast<double>(nonzeros), 1 / p - 1 / q);
    const double lower = std::max(fromDualNorm, m.largest - rho);
    return std::log(2 * rho) + (1 - p) * std::log(lower);
}

}  // namespace

Magnitudes scaledMagnitudesOf(const double* v, int n) {
    Magnitudes m;
    m.a.resize(static_cast<std::size_t>(n));
    double largest = 0;
    for (int i = 0; i < n; ++i) {
        m.a[i] = v[i] == 0 ? 0 : (v[i] > 0 ? v[i] : -v[i]);
        if (m.a[i] > largest) largest = m.a[i];
    }
    m.scale = binaryScale(largest);
    for (int i = 0; i < n; ++i) {
        if (m.a[i] == 0) continue;
        m.a[i] = m.a[i] / m.scale;
        if (m.a[i] > m.largest) m.largest = m.a[i];
        if (m.a[i] < m.smallest) m.smallest = m.a[i];
    }
    return m;
}

MultiplierBracket multiplierBracket(const Magnitudes& m, double nv, double rho, double p) {
    const double t = (nv - rho) / nv;
    auto g = [t, p](double a) { return (1 - t) * a / std::pow(t * a, p - 1); };
    if (p <= 2) return MultiplierBracket{g(m.smallest), g(m.largest), false, false};

    // The logarithm of g(smallest), and what the root finder adds to it when it evaluates
    // c a^(p-1) at the largest magnitude: below the limit, nothing overflows.
    const double d = std::log((1 - t) * m.smallest) - (p - 1) * std::log(t * m.smallest);
    const double headroom = (p - 1) * std::log(m.largest);
    const double c1 = g(m.largest);
    if (d + headroom < kLogLimit) return MultiplierBracket{c1, g(m.smallest), false, false};

    // Large p with tiny magnitudes: bound c by the data instead.
    const double upper = logUpperBound(m, nv, rho, t, p);
    if (!(upper + headroom < kLogLimit && c1 > 0 && c1 <= DBL_MAX))
        return MultiplierBracket{0, 0, true, true};
    return MultiplierBracket{c1, std::max(c1, std::exp(upper)), true, false};
}
