// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// Whether (x, t) is the Euclidean projection of (v, c) onto the cone {(x, t) : ||x||_2 <= t},
// judged by the conditions that define it: (x, t) lies in the cone, (v - x, c - t) lies in
// the polar cone {(y, s) : ||y||_2 <= -s}, and the two are orthogonal. Long double sums.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

inline testing::AssertionResult isConeProjection(const std::vector<double>& x, double t,
                                                  const std::vector<double>& v, double c) {
    long double xx = 0, rr = 0, xr = 0, vv = 0;
    for (std::size_t k = 0; k < v.size(); ++k) {
        const long double residual = static_cast<long double>(v[k]) - x[k];
        xx += static_cast<long double>(x[k]) * x[k];
        rr += residual * residual;
        xr += x[k] * residual;
        vv += static_cast<long double>(v[k]) * v[k];
    }
    const long double s = static_cast<long double>(c) - t;
    const long double scale = std::max<long double>(std::sqrt(vv), std::fabs(c));
    const long double tolerance = 1e-13L * (scale + 1e-300L);
    if (std::sqrt(xx) > t + tolerance)
        return testing::AssertionFailure() << "||x|| = " << static_cast<double>(std::sqrt(xx))
                                           << " exceeds t = " << t;
    if (std::sqrt(rr) > -s + tolerance)
        return testing::AssertionFailure() << "||v - x|| = " << static_cast<double>(std::sqrt(rr))
                                           << " exceeds t - c = " << static_cast<double>(-s);
    if (std::fabs(xr + t * s) > tolerance * (scale + 1e-300L))
        return testing::AssertionFailure() << "<x, v - x> + t (c - t) = "
                                           << static_cast<double>(xr + t * s);
    return testing::AssertionSuccess();
}

// Vector parts with zeros of both signs and ties, and a bound for each that puts the pair
// inside the cone, on its boundary, outside it, in the polar cone or on the polar boundary.
struct ConeCase {
    std::vector<double> v;
    double c;
};

inline ConeCase randomConeCase(std::mt19937_64& rng, std::size_t length) {
    std::normal_distribution<double> normal(0.0, 1.0);
    std::uniform_int_distribution<int> pick(0, 9);
    ConeCase pair{std::vector<double>(length), 0};
    for (double& value : pair.v) {
        const int kind = pick(rng);
        value = kind == 0 ? 0.0 : kind == 1 ? -0.0 : kind == 2 ? 1.0 : normal(rng);
    }
    double sumOfSquares = 0;
    for (double value : pair.v) sumOfSquares += value * value;
    const double r = std::sqrt(sumOfSquares);
    switch (pick(rng)) {
        case 0: pair.c = r; break;
        case 1: pair.c = -r; break;
        case 2: pair.c = 0.0; break;
        case 3: pair.c = -0.0; break;
        default: pair.c = 2 * r * normal(rng); break;
    }
    return pair;
}
