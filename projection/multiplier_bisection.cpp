// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// The bisection on the multiplier c of the general-p norm shadow.
//
// For a given c every x_i solves x_i + c x_i^(p-1) = a_i (findPowerRoot, warm-started from the
// previous x_i); the bisection moves c until c = rho ||x||_p^(1-p) holds.
#include <cfloat>
#include <cmath>

#include "support/interrupt.hpp"
#include "projection/multiplier.hpp"
#include "projection/power_root.hpp"
#include "projection/projection.hpp"

namespace {

const double kTolerance = 1e-8;
const int kStepLimit = 1000;
// Past kStepLimit the bisection goes on while its steps still move c, up to this many steps.
// A bracket within the double range is halved to neighbouring doubles in fewer than 2200.
const int kExtendedStepLimit = 4000;

// Solves every x_i for the multiplier c from its previous value, whose power x_i^(p-1) is
// kept in power[i]. Adds the Newton steps to *steps; moved receives the largest change of an
// x_i. Returns false, at the first element whose root finding runs out of steps. A long vector
// takes seconds over all iterations, so every root ticks the interrupt poll.
bool solveAt(double* x, std::vector<double>& power, const std::vector<double>& a, double p,
             double c, double* moved, long long* steps, InterruptPoll& poll) {
    *moved = 0;
    for (std::size_t i = 0; i < a.size(); ++i) {
        double r = x[i];
        int k = 0;
        if (!findPowerRootFrom(&r, &power[i], &k, a[i], p, c, x[i], power[i])) return false;
        const double change = std::fabs(r - x[i]);
        if (change > *moved) *moved = change;
        x[i] = r;
        *steps += k;
        poll.tick(k + 1);
    }
    return true;
}

}  // namespace

Bisection bisectMultiplier(double* x, const std::vector<double>& a, double rho, double p,
                           const MultiplierBracket& bracket) {
    const int n = static_cast<int>(a.size());
    double c1 = bracket.c1;
    double c2 = bracket.c2;
    // The tolerance on c and f: absolute, or relative to the current c.
    auto cTolerance = [&bracket](double c) {
        return bracket.fromData ? kTolerance * c : kTolerance;
    };
    double cm = std::fabs(c1 - c2) <= cTolerance(c1) ? c1 : (c1 + c2) / 2.0;
    int iterations = 0;
    long long newtonSteps = 0;
    std::vector<double> power(a.size(), kUnknownPower);
    // The last move of the bracket. The first iteration has none: x moved from its zero start,
    // which says nothing about convergence.
    enum class Move { none, raisedLower, loweredUpper } last = Move::none;
    bool failed = false;
    InterruptPoll poll;
    for (;;) {
        ++iterations;
        double moved;
        if (!(cm >= 0 && cm <= DBL_MAX) ||
            !solveAt(x, power, a, p, cm, &moved, &newtonSteps, poll)) {
            failed = true;
            break;
        }
        const double f = rho * std::pow(vectorPNorm(x, p, n), 1 - p) - cm;
        if (std::fabs(f) <= cTolerance(cm)) break;
        if (std::fabs(c1 - c2) <= cTolerance(cm)) break;
        // Stop when x no longer moves and the direction of the update reverses.
        if (f > 0) {
            if (moved <= kTolerance && last == Move::loweredUpper) break;
            c1 = cm;
            last = Move::raisedLower;
        } else {
            if (moved <= kTolerance && last == Move::raisedLower) break;
            c2 = cm;
            last = Move::loweredUpper;
        }
        const double previous = cm;
        cm = (c1 + c2) / 2.0;
        if (iterations >= kStepLimit) {
            if (std::fabs(c1 - c2) <= kTolerance * c2) break;
            // A bracket that spans many orders of magnitude needs more halvings: go on while
            // they still move c.
            if (cm != previous && iterations < kExtendedStepLimit) continue;
            failed = true;
            break;
        }
    }
    return Bisection{cm, iterations, newtonSteps, failed};
}
