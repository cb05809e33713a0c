// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// The pieces of the general-p norm shadow (powerShadowGeneral): the magnitudes at unit scale,
// the bracket of the multiplier c, and the bisection on c.
//
// With a_i = |v_i|, the shadow satisfies x_i + c x_i^(p-1) = a_i for every i and
// c = rho ||x||_p^(1-p). With q the dual exponent and t = 1 - rho / ||a||_q, the values
// g(a_i) = (1 - t) a_i / (t a_i)^(p-1) at the smallest and the largest nonzero magnitude
// bracket c.
#pragma once

#include <vector>

// The magnitudes of v divided by its binary scale, and their extremes. The bisection's
// stopping tests are absolute, so the problem is solved at unit scale; dividing by a power of
// two is exact, and at unit scale the scale is 1.
struct Magnitudes {
    std::vector<double> a;
    double scale = 1;
    double largest = 0;
    double smallest = 1e10;  // of the nonzero ones, and never more than 1e10
};

Magnitudes scaledMagnitudesOf(const double* v, int n);

struct MultiplierBracket {
    double c1;
    double c2;
    // The upper end comes from the data rather than from g(smallest); the bisection then
    // compares c and f with a tolerance relative to c.
    bool fromData;
    // No bracket fits in the double range: the infinity norm stands in for p.
    bool overflows;
};

// The bracket for the magnitudes m with weight rho (both at unit scale), whose dual norm is nv.
MultiplierBracket multiplierBracket(const Magnitudes& m, double nv, double rho, double p);

struct Bisection {
    double c;
    int iterations;
    long long newtonSteps;
    // A root finding ran out of steps, c left the double range, or the step limit ran out
    // with the bracket still open: x and c are not the shadow.
    bool failed;
};

// Bisects the bracket for the multiplier of the magnitudes a with weight rho, both at unit
// scale; x receives the magnitudes of the shadow.
Bisection bisectMultiplier(double* x, const std::vector<double>& a, double rho, double p,
                           const MultiplierBracket& bracket);

struct NormSearch {
    double logNorm;  // log ||x||_p of the shadow, from which c = rho ||x||_p^(1-p)
    int iterations;
    long long innerSteps;
};

// The same shadow found in logarithms, where the bisection cannot work: nothing in it
// overflows or underflows, whatever the magnitudes, p and rho > 0 (at unit scale). x receives
// the magnitudes of the shadow.
NormSearch searchShadowNorm(double* x, const std::vector<double>& a, double rho, double p);
