// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// The general-p norm shadow in logarithms, for the inputs on which the bisection on c fails:
// magnitudes whose roots underflow, bracket ends that overflow, multipliers far below the
// bisection's absolute tolerance.
//
// With s = ||x||_p and x_i = a_i z_i, the conditions x_i + c x_i^(p-1) = a_i and
// c = rho s^(1-p) become z_i + K_i z_i^(p-1) = 1 with K_i = (rho / s) (a_i / s)^(p-2).
// With y = x / s each y_i solves s y_i + rho y_i^(p-1) = a_i and falls as s grows, while x
// grows: one equation in u = log s, h(u) = log ||a z(u)||_p - u = 0, h strictly decreasing
// with slope in [-1, 0].
// Each z_i = exp(w_i) is found from G(w) = log(e^w + e^(L + (p-1) w)) = 0, L = log K_i: G is
// increasing and convex, so Newton's method from a point where G >= 0 falls monotonically to
// the root. Only logarithms of the data and exponentials of nonpositive numbers are formed.
#include <algorithm>
#include <cfloat>
#include <cmath>
#include <vector>

#include "support/interrupt.hpp"
#include "projection/multiplier.hpp"
#include "projection/projection.hpp"

namespace {

const int kInnerLimit = 200;
const int kOuterLimit = 200;

// log(e^A + e^B) and its derivative in w where A = w and B = L + (p-1) w.
struct LogSum {
    double value;
    double slope;
};

LogSum logSum(double w, double logK, double p) {
    const double a = w;
    const double b = logK + (p - 1) * w;
    if (b == -HUGE_VAL) return LogSum{a, 1};
    const double top = std::max(a, b);
    const double e = std::exp(std::min(a, b) - top);  // in [0, 1]
    const double value = top + std::log1p(e);
    const double slope = a >= b ? (1 + (p - 1) * e) / (1 + e) : ((p - 1) + e) / (1 + e);
    return LogSum{value, slope};
}

// log z of one magnitude: the root of G, by Newton's method from the right end of its bracket,
// where one exponent is 0 and the other at most 0. Adds the steps taken to *steps.
double logRatio(double logK, double p, long long* steps) {
    double w = std::min(0.0, -logK / (p - 1));
    if (!(w > -HUGE_VAL)) return w;
    for (int k = 0; k < kInnerLimit; ++k) {
        const LogSum g = logSum(w, logK, p);
        if (g.value <= 0) break;
        const double next = w - g.value / g.slope;
        ++*steps;
        if (!(next < w)) break;  // converged: rounding stops the monotone descent
        w = next;
    }
    return w;
}

// Fills x with a_i z_i(u) and returns h(u) = log ||x||_p - u. Every element ticks the poll.
double normGap(double* x, const std::vector<double>& a, double logRho, double p, double u,
               long long* steps, InterruptPoll& poll) {
    const int n = static_cast<int>(a.size());
    for (int i = 0; i < n; ++i) {
        if (a[i] == 0) {
            x[i] = 0;
            continue;
        }
        const double logK = logRho - u + (p - 2) * (std::log(a[i]) - u);
        x[i] = a[i] * std::exp(logRatio(logK, p, steps));
        poll.tick();
    }
    return std::log(vectorPNorm(x, p, n)) - u;
}

// The search on u: the point with the smallest |h| so far, whose x is kept, and the counts.
struct GapSearch {
    double* x;
    const std::vector<double>& a;
    double logRho;
    double p;
    std::vector<double> trial;
    long long steps;
    int iterations;
    double best;
    double bestU;
    InterruptPoll poll;

    // h(u), its x kept in x when |h(u)| is the smallest yet.
    double gapAt(double u) {
        const double gap = normGap(trial.data(), a, logRho, p, u, &steps, poll);
        if (std::fabs(gap) < std::fabs(best)) {
            best = gap;
            bestU = u;
            std::copy(trial.begin(), trial.end(), x);
        }
        return gap;
    }
};

// [lo, hi] with h(lo) and h(hi).
struct Bracket {
    double lo;
    double hLo;
    double hi;
    double hHi;
};

// At s = ||a||_p every z_i <= 1, so h <= 0 there; h >= 0 for s small enough, and as the slope
// of h lies in [-1, 0] the root is at least -h(u) below u: steps of that size, doubling, find
// the lower end of the bracket.
void findLowerEnd(GapSearch& search, Bracket& bracket) {
    double step = std::isfinite(bracket.hHi) ? bracket.hHi : -1;
    while (bracket.hLo < 0 && search.iterations < kOuterLimit) {
        const double next = bracket.hi + step;
        if (!(next < bracket.hi)) break;
        ++search.iterations;
        bracket.lo = next;
        bracket.hLo = search.gapAt(bracket.lo);
        if (bracket.hLo >= 0) break;
        bracket.hi = bracket.lo;
        bracket.hHi = bracket.hLo;
        step *= 2;
    }
}

// Regula falsi with the Illinois correction on [lo, hi], h(lo) >= 0 > h(hi).
void narrowToRoot(GapSearch& search, Bracket& bracket) {
    double& lo = bracket.lo;
    double& hi = bracket.hi;
    double& hLo = bracket.hLo;
    double& hHi = bracket.hHi;
    int keptSide = 0;
    while (hLo > 0 && hHi < 0 && search.iterations < kOuterLimit) {
        if (hi - lo <= 4 * DBL_EPSILON * std::max(1.0, std::fabs(hi))) break;
        if (std::fabs(search.best) <= 4 * DBL_EPSILON * std::max(1.0, std::fabs(search.bestU)))
            break;
        double next = lo + (hi - lo) * (hLo / (hLo - hHi));
        if (!(next > lo && next < hi)) next = lo + (hi - lo) / 2;
        ++search.iterations;
        const double gap = search.gapAt(next);
        if (gap >= 0) {
            lo = next;
            hLo = gap;
            if (keptSide == 1) hHi /= 2;
            keptSide = 1;
        } else {
            hi = next;
            hHi = gap;
            if (keptSide == -1) hLo /= 2;
            keptSide = -1;
        }
    }
}

}  // namespace

NormSearch searchShadowNorm(double* x, const std::vector<double>& a, double rho, double p) {
    const int n = static_cast<int>(a.size());
    GapSearch search{x, a, std::log(rho), p, std::vector<double>(a.size()), 0, 1, 0, 0,
                     InterruptPoll()};
    const double hi = std::log(vectorPNorm(a.data(), p, n));
    const double hHi = normGap(x, a, search.logRho, p, hi, &search.steps, search.poll);
    search.best = hHi;
    search.bestU = hi;
    Bracket bracket{hi, hHi, hi, hHi};
    findLowerEnd(search, bracket);
    narrowToRoot(search, bracket);
    return NormSearch{search.bestU, search.iterations, search.steps};
}
