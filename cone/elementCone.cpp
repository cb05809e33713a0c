// Element-wise projection onto the epigraph of the absolute value.
#include <cmath>

#include "cone/branchless.hpp"
#include "cone/cone.hpp"

void elementCone(double* x, double* t, const double* v, const double* c, int n) {
    for (int i = 0; i < n; ++i) {
        const double a = std::fabs(v[i]);
        // The cases in this order, strict then inclusive: a pair on the boundary (c = |v|)
        // is inside, c = -|v| goes to the origin, and a NaN fails both tests.
        const bool outside = a > std::fabs(c[i]);
        const bool inside = !outside && c[i] >= a;
        // Outside, the boundary ray through (sign(v_i), 1): x_i = +-t_i (v_i != 0 there).
        const double bound = (a + c[i]) / 2;
        const double toBoundary = pick(v[i] > 0, bound, -bound);
        // Inside, the pair is kept (the sign of a zero too); in the polar cone it becomes +0.
        t[i] = pick(outside, bound, pick(inside, c[i], 0.0));
        x[i] = pick(outside, toBoundary, pick(inside, v[i], 0.0));
    }
}
