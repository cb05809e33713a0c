// The norm shadow of each group of a vector, every group with its own weight.
#include "projection/domain.hpp"
#include "projection/groupTable.hpp"
#include "projection/projection.hpp"

void powerShadowVector(double* x, const double* v, const double* b, int g, int n, const double* rho,
                       double p) {
    (void)n;  // the caller keeps every group inside 0..n-1
    requireNormExponent(p);
    // Every weight first, so that a bad one in the last group wastes no work.
    for (int k = 0; k < g; ++k) requireNonnegativeWeight(rho[k]);

    int steps[2];
    double c;
    for (int k = 0; k < g; ++k) {
        const IndexGroup group = groupOfTable(b, k);
        powerShadow(x + group.start, &c, steps, v + group.start, group.length, rho[k], p, 0);
    }
}
