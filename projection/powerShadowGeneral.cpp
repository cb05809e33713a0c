// The norm shadow for 1 < p < infinity, by bisection on its multiplier (multiplier.hpp).
//
// The problem is solved at unit scale, on the magnitudes of v and on rho divided by the binary
// scale s of v: the shadow of s v with weight s rho is s times the shadow of v with weight rho,
// and its multiplier is s^(2-p) times c. At unit scale s = 1 and nothing changes. The signs of
// v are put back at the end; v itself is never written.
#include <climits>
#include <cmath>

#include "projection/multiplier.hpp"
#include "projection/projection.hpp"

namespace {

// Whether the magnitude of v_i was taken by negation; those x_i get their sign back.
bool negated(double value) { return value != 0 && !(value > 0); }

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
        return;
    }
    const double cScale = std::pow(m.scale, 2 - p);
    const Bisection found = bisectMultiplier(x, m.a, r, p, bracket, cScale, m.scale);
    for (int i = 0; i < n; ++i) {
        x[i] = x[i] * m.scale;
        if (negated(v[i])) x[i] = -x[i];
    }
    *c = found.c * cScale;
    iterSteps[0] = found.iterations;
    iterSteps[1] = found.newtonSteps > INT_MAX ? INT_MAX : static_cast<int>(found.newtonSteps);
}
