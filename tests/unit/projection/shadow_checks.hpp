// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// Calls of the norm shadow and independent checks of its optimality, for the unit tests.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

#include "projection/projection.hpp"

namespace shadowtest {

struct Shadow {
    std::vector<double> x;
    double c;
    int iterSteps[2];
};

inline Shadow shadow(const std::vector<double>& v, double rho, double p, double c0 = 0) {
    Shadow s{std::vector<double>(v.size(), -7.0), -7.0, {-7, -7}};
    powerShadow(s.x.data(), &s.c, s.iterSteps, v.data(), static_cast<int>(v.size()), rho, p, c0);
    return s;
}

inline bool sameBits(const std::vector<double>& a, const std::vector<double>& b) {
    return a.size() == b.size() &&
           (a.empty() || std::memcmp(a.data(), b.data(), a.size() * sizeof(double)) == 0);
}

inline bool sameBits(const Shadow& a, const Shadow& b) {
    return sameBits(a.x, b.x) && std::memcmp(&a.c, &b.c, sizeof(double)) == 0 &&
           a.iterSteps[0] == b.iterSteps[0] && a.iterSteps[1] == b.iterSteps[1];
}

// The dual exponent q of p (1/p + 1/q = 1); infinity for p = 1.
inline double dualExponent(double p) {
    return p == 1 ? std::numeric_limits<double>::infinity() : p / (p - 1);
}

// ||x||_p in long double, scaled by the largest magnitude so that no power overflows.
inline long double pNorm(const std::vector<long double>& x, double p) {
    long double largest = 0;
    for (long double a : x) largest = std::max(largest, std::fabs(a));
    if (largest == 0) return 0;
    if (std::isinf(p)) return largest;
    long double s = 0;
    for (long double a : x) s += std::pow(std::fabs(a) / largest, static_cast<long double>(p));
    return largest * std::pow(s, 1 / static_cast<long double>(p));
}

inline std::vector<long double> wide(const std::vector<double>& x) {
    return std::vector<long double>(x.begin(), x.end());
}

// x is the minimiser of 1/2 ||x - v||^2 + rho ||x||_p exactly when v - x lies in rho times
// the subdifferential of the p-norm at x: ||v - x||_q <= rho and <v - x, x> = rho ||x||_p
// (with ||v - x||_q = rho when x is not 0). Checked relative to rho, which must be > 0: the
// bound within `bound`, the equalities within `tolerance`.
inline void expectNormShadow(const std::vector<double>& v, const std::vector<double>& x, double rho,
                             double p, double bound, double tolerance) {
    const double q = dualExponent(p);
    std::vector<long double> residual(v.size());
    long double inner = 0;
    for (std::size_t i = 0; i < v.size(); ++i) {
        residual[i] = static_cast<long double>(v[i]) - x[i];
        inner += residual[i] * x[i];
        if (v[i] == 0) {
            EXPECT_EQ(x[i], 0.0) << "a zero of v must stay zero, i = " << i;
        }
        if (x[i] != 0) {
            EXPECT_EQ(std::signbit(x[i]), std::signbit(v[i])) << "sign, i = " << i;
        }
    }
    const long double scale = rho;
    const long double dual = pNorm(residual, q);
    const long double xNorm = pNorm(wide(x), p);
    EXPECT_LE(dual, scale * (1 + bound)) << "p = " << p << ", rho = " << rho;
    if (xNorm > 0) {
        EXPECT_NEAR(static_cast<double>(dual / scale), 1.0, tolerance) << "p = " << p;
        EXPECT_NEAR(static_cast<double>(inner / (scale * xNorm)), 1.0, tolerance)
            << "p = " << p << ", rho = " << rho;
    }
}

}  // namespace shadowtest
