// Element-wise projection onto the epigraph of the absolute value.
#include <cmath>

#include "cone/cone.hpp"
#include "cone/cone_region.hpp"

void elementCone(double* x, double* t, const double* v, const double* c, int n) {
    for (int i = 0; i < n; ++i) {
        const double a = std::fabs(v[i]);
        switch (coneRegion(a, c[i])) {
            case ConeRegion::outside: {
                // The boundary ray through (sign(v_i), 1): x_i = +-t_i exactly.
                const double bound = (a + c[i]) / 2;
                t[i] = bound;
                x[i] = v[i] > 0 ? bound : -bound;
                break;
            }
            case ConeRegion::inside:
                t[i] = c[i];
                x[i] = v[i];  // keeps the sign of a zero
                break;
            case ConeRegion::polar:
                x[i] = 0;
                t[i] = 0;
                break;
        }
    }
}
