// Projection of the rows of a matrix onto the ball of the summed row norms.
//
// The projection keeps every row's direction and shrinks its norm r_i to max(r_i - lambda, 0),
// where lambda is the threshold of the L1-ball projection of the vector of row norms.
#include <cmath>
#include <cstddef>
#include <vector>

#include "host/console.hpp"
#include "host/routine_failure.hpp"
#include "projection/messages.hpp"
#include "projection/projection.hpp"

void mixedShadow(double* X, double* lambda, int* steps, const double* V, int m, int n, double z,
                 double lambda0) {
    if (z < 0) {
        consolePrintf("%s", projectionMessage::negativeRadius);
        throw RoutineFailure(projectionReason::negativeRadius, "the radius z must be nonnegative");
    }

    const std::ptrdiff_t rows = m;
    const std::ptrdiff_t size = rows * n;
    // An empty matrix: every row norm is 0, inside the ball, as the search would find; without
    // columns, m is not bounded by any data, so no buffer of m norms is made.
    if (size == 0) {
        *lambda = 0;
        *steps = 0;
        return;
    }
    std::vector<double> norms(static_cast<std::size_t>(m));
    double total = 0;
    for (std::ptrdiff_t i = 0; i < rows; ++i) {
        double s = 0;
        for (std::ptrdiff_t k = i; k < size; k += rows) s += V[k] * V[k];
        norms[i] = std::sqrt(s);
        total += norms[i];
    }
    // The L1-ball search needs a finite sum of its magnitudes.
    if (!std::isfinite(total))
        throw RoutineFailure(projectionReason::overflow,
                             "the sum of the row norms of V overflows the double range");

    std::vector<double> projectedNorms(static_cast<std::size_t>(m));
    simplexShadow(projectedNorms.data(), lambda, steps, norms.data(), m, z, lambda0);

    if (*lambda == 0) {
        for (std::ptrdiff_t k = 0; k < size; ++k) X[k] = V[k];
        return;
    }
    for (std::ptrdiff_t i = 0; i < rows; ++i) {
        if (*lambda >= norms[i]) {
            for (std::ptrdiff_t k = i; k < size; k += rows) X[k] = 0;
        } else {
            const double f = 1 - *lambda / norms[i];
            for (std::ptrdiff_t k = i; k < size; k += rows) X[k] = f * V[k];
        }
    }
}
