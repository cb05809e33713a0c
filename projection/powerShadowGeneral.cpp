// The norm shadow for 1 < p < infinity, by bisection on its multiplier.
//
// With a_i = |v_i|, the shadow satisfies x_i + c x_i^(p-1) = a_i for every i and
// c = rho ||x||_p^(1-p). For a given c the first condition fixes every x_i (findPowerRoot,
// warm-started from the previous x_i); the bisection moves c until the second one holds. With
// q the dual exponent and t = 1 - rho / ||a||_q, the values g(a_i) = (1 - t) a_i / (t a_i)^(p-1)
// at the smallest and the largest nonzero magnitude bracket c. The signs of v are put back at
// the end; v itself is never written.
//
// The stopping tests are absolute, so the problem is solved at unit scale: a and rho divided
// by the binary scale s of v (the largest magnitude in [s, 2s)), which is exact. The shadow of
// s v with weight s rho is s times the shadow of v with weight rho, and its multiplier is
// s^(2-p) times c. At unit scale s = 1 and nothing changes.
#include <climits>
#include <cmath>
#include <vector>

#include "host/console.hpp"
#include "projection/binaryScale.hpp"
#include "projection/messages.hpp"
#include "projection/powerRoot.hpp"
#include "projection/projection.hpp"

namespace {

const double kTolerance = 1e-8;
// exp overflows above this: a bracket end with a larger logarithm cannot be formed.
const double kLogLimit = 709.0;
// The smallest nonzero magnitude is taken as at most this.
const double kSmallestStart = 1e10;
const int kStepLimit = 1000;

// Whether the magnitude of v_i was taken by negation; those x_i get their sign back.
bool negated(double value) { return value != 0 && !(value > 0); }

// The magnitudes of v divided by its binary scale.
struct Magnitudes {
    std::vector<double> a;
    double scale = 1;
    double largest = 0;
    double smallest = kSmallestStart;  // of the nonzero ones
};

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

// Solves every x_i for the multiplier c from its previous value, whose power x_i^(p-1) is
// kept in power[i]. A failed root keeps the previous x_i and adds no steps. Returns the
// Newton steps; moved receives the largest change of an x_i.
long long solveAt(double* x, std::vector<double>& power, const std::vector<double>& a, double p,
                  double c, double* moved) {
    long long steps = 0;
    *moved = 0;
    for (std::size_t i = 0; i < a.size(); ++i) {
        double r = x[i];
        int k = 0;
        findPowerRootFrom(&r, &power[i], &k, a[i], p, c, x[i], power[i]);
        const double change = std::fabs(r - x[i]);
        if (change > *moved) *moved = change;
        x[i] = r;
        steps += k;
    }
    return steps;
}

struct Bisection {
    double c;
    int iterations;
    long long newtonSteps;
};

// Bisects [c1, c2] for the multiplier of the magnitudes a with weight rho, both at unit scale;
// x receives the magnitudes of the shadow. cScale converts c to the caller's units in the
// message of an exhausted step limit.
Bisection bisect(double* x, const std::vector<double>& a, double rho, double p, double c1,
                 double c2, double cScale, double xScale) {
    const int n = static_cast<int>(a.size());
    double cm = std::fabs(c1 - c2) <= kTolerance ? c1 : (c1 + c2) / 2.0;
    int iterations = 0;
    long long newtonSteps = 0;
    std::vector<double> power(a.size(), kUnknownPower);
    bool raisedLast = true;  // whether the last move of the bracket raised c1
    for (;;) {
        ++iterations;
        double moved;
        newtonSteps += solveAt(x, power, a, p, cm, &moved);
        const double f = rho * std::pow(vectorPNorm(x, p, n), 1 - p) - cm;
        if (std::fabs(f) <= kTolerance) break;
        if (std::fabs(c1 - c2) <= kTolerance) break;
        // Stop when x no longer moves and the direction of the update reverses.
        if (f > 0) {
            if (moved <= kTolerance && !raisedLast) break;
            c1 = cm;
            raisedLast = true;
        } else {
            if (moved <= kTolerance && raisedLast) break;
            c2 = cm;
            raisedLast = false;
        }
        cm = (c1 + c2) / 2.0;
        if (iterations >= kStepLimit) {
            if (!(std::fabs(c1 - c2) <= kTolerance * c2)) {
                consolePrintf("\n The number of bisection steps exceed %d.", kStepLimit);
                consolePrintf("\n c1=%e, c2=%e, x_diff=%e, f=%e", c1 * cScale, c2 * cScale,
                              moved * xScale, f * cScale);
                consolePrintf("%s", projectionMessage::contact);
            }
            break;
        }
    }
    return Bisection{cm, iterations, newtonSteps};
}

}  // namespace

void powerShadowGeneral(double* x, double* c, int* iterSteps, const double* v, int n,
                        double rho, double p) {
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

    const double t = (nv - r) / nv;
    auto bound = [t, p](double a) { return (1 - t) * a / std::pow(t * a, p - 1); };
    double c1, c2;
    if (p > 2) {
        const double d = std::log((1 - t) * m.smallest) - (p - 1) * std::log(t * m.smallest);
        if (d >= kLogLimit) {
            powerShadowInf(x, c, iterSteps, v, n, rho, 0.0);
            return;
        }
        c1 = bound(m.largest);
        c2 = bound(m.smallest);
    } else {
        c2 = bound(m.largest);
        c1 = bound(m.smallest);
    }

    const double cScale = std::pow(m.scale, 2 - p);
    const Bisection found = bisect(x, m.a, r, p, c1, c2, cScale, m.scale);
    for (int i = 0; i < n; ++i) {
        x[i] = x[i] * m.scale;
        if (negated(v[i])) x[i] = -x[i];
    }
    *c = found.c * cScale;
    iterSteps[0] = found.iterations;
    iterSteps[1] = found.newtonSteps > INT_MAX ? INT_MAX : static_cast<int>(found.newtonSteps);
}
