// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// Projection of the rows of a matrix onto the ball of the summed row norms.
//
// The projection keeps every row's direction and shrinks its norm r_i to max(r_i - lambda, 0),
// where lambda is the threshold of the L1-ball projection of the vector of row norms.
#include <cmath>
#include <cstddef>
#include <vector>

#include "support/console.hpp"
#include "support/interrupt.hpp"
#include "support/parallel.hpp"
#include "support/scaled_length.hpp"
#include "support/routine_failure.hpp"
#include "projection/binary_scale.hpp"
#include "projection/messages.hpp"
#include "projection/projection.hpp"

namespace {

void requireNonnegativeRadius(double z) {
    if (z < 0) {
        consolePrintf("%s", projectionMessage::negativeRadius);
        throw RoutineFailure(reason::negativeRadius, "the radius z must be nonnegative");
    }
}

// The L1-ball search multiplies sums of the norms by differences of thresholds, which
// overflows or underflows for norms far from unit scale: beyond 2^+-500 they are searched
// divided by their binary scale (exact), nearer to 1 as they are.
double searchScale(const double* norms, int m) {
    double largest = 0;
    for (int i = 0; i < m; ++i)
        if (norms[i] > largest) largest = norms[i];
    const double far = std::ldexp(1.0, 500);
    if (largest > far || (largest > 0 && largest < 1 / far)) return binaryScale(largest);
    return 1;
}

RoutineFailure sumOverflow() {
    return RoutineFailure(reason::overflow,
                          "the sum of the row norms of V overflows the double range");
}

// The sum of the norms in row order, which the L1-ball search needs finite.
double sumOf(const double* norms, int m) {
    double total = 0;
    for (int i = 0; i < m; ++i) total += norms[i];
    return total;
}

// The threshold of the L1-ball projection of m norms whose sum is finite, into *lambda.
void normThreshold(double* lambda, int* steps, const double* norms, int m, double z,
                   double lambda0) {
    std::vector<double> projectedNorms(static_cast<std::size_t>(m));
    const double scale = searchScale(norms, m);
    if (scale == 1) {
        simplexShadow(projectedNorms.data(), lambda, steps, norms, m, z, lambda0);
    } else {
        std::vector<double> scaledNorms(norms, norms + m);
        for (double& r : scaledNorms) r = r / scale;
        simplexShadow(projectedNorms.data(), lambda, steps, scaledNorms.data(), m, z / scale,
                      lambda0 / scale);
        *lambda = *lambda * scale;
    }
}

}  // namespace

// The Euclidean norm of every row of V, the rows shared out among threads.
void mixedShadowRowNorms(double* norms, const double* V, int m, int n) {
    const std::ptrdiff_t rows = m;
    const std::ptrdiff_t size = rows * n;
    parallel::forEachRange(rows, 2.0 * n, 1, [&] {
        return [&](std::ptrdiff_t first, std::ptrdiff_t last) {
            InterruptPoll poll;  // a row strides through memory: a pass can take seconds
            for (std::ptrdiff_t i = first; i < last; ++i) {
                poll.tick(n);
                double s = 0;
                for (std::ptrdiff_t k = i; k < size; k += rows) s += V[k] * V[k];
                norms[i] = lengthFromSumOfSquares(s, n, [V, i, rows](std::ptrdiff_t j) {
                    return V[i + j * rows];
                });
            }
        };
    });
}

// The sum of the plain norms overflowing (or NaN, for V not finite) is the one sign that the
// norms must be taken again in long units: the search needs their sum finite.
void mixedShadowPlainThreshold(double* lambda, int* steps, int* longUnits, const double* norms,
                               int m, double z, double lambda0) {
    requireNonnegativeRadius(z);
    *longUnits = !std::isfinite(sumOf(norms, m));
    if (!*longUnits) normThreshold(lambda, steps, norms, m, z, lambda0);
}

void mixedShadowThreshold(double* lambda, int* steps, const double* norms, int m, double z,
                          double lambda0) {
    int longUnits = 0;
    mixedShadowPlainThreshold(lambda, steps, &longUnits, norms, m, z, lambda0);
    if (longUnits) throw sumOverflow();
}

void mixedShadowLongRowNorms(double* norms, const double* V, int m, int n) {
    const std::ptrdiff_t rows = m;
    parallel::forEachRange(rows, 2.0 * n, 1, [&] {
        return [&](std::ptrdiff_t first, std::ptrdiff_t last) {
            InterruptPoll poll;
            for (std::ptrdiff_t i = first; i < last; ++i) {
                poll.tick(n);
                norms[i] = lengthInLongUnits(n, [V, i, rows](std::ptrdiff_t j) {
                    return V[i + j * rows];
                });
            }
        };
    });
}

// In units of 2^600 the search computes exactly what it computes on V 2^600 times smaller, and
// the rows shrink by the same factors. Only a threshold that itself exceeds the largest double
// cannot be returned.
void mixedShadowLongThreshold(double* lambda, int* steps, double* longLambda,
                              const double* longNorms, int m, double z, double lambda0) {
    requireNonnegativeRadius(z);
    if (!std::isfinite(sumOf(longNorms, m))) throw sumOverflow();  // V not finite
    double threshold = 0;
    int searchSteps = 0;
    normThreshold(&threshold, &searchSteps, longNorms, m, inLongUnits(z), inLongUnits(lambda0));
    if (pastLargestDouble(fromLongUnits(threshold)))
        throw RoutineFailure(reason::overflow, "the threshold lambda overflows the double range");
    *lambda = fromLongUnits(threshold);
    *steps = searchSteps;
    *longLambda = threshold;
}

void mixedShadowShrink(double* X, const double* V, const double* norms, int m, int n,
                       double threshold) {
    const std::ptrdiff_t rows = m;
    const std::ptrdiff_t size = rows * n;
    if (threshold == 0) {
        for (std::ptrdiff_t k = 0; k < size; ++k) X[k] = V[k];
        return;
    }
    parallel::forEachRange(rows, 2.0 * n, 1, [&] {
        return [&](std::ptrdiff_t first, std::ptrdiff_t last) {
            InterruptPoll poll;
            for (std::ptrdiff_t i = first; i < last; ++i) {
                poll.tick(n);
                if (threshold >= norms[i]) {
                    for (std::ptrdiff_t k = i; k < size; k += rows) X[k] = 0;
                } else {
                    const double f = 1 - threshold / norms[i];
                    for (std::ptrdiff_t k = i; k < size; k += rows) X[k] = f * V[k];
                }
            }
        };
    });
}

void mixedShadow(double* X, double* lambda, int* steps, const double* V, int m, int n, double z,
                 double lambda0) {
    requireNonnegativeRadius(z);
    // An empty matrix: every row norm is 0, inside the ball, as the search would find; without
    // columns, m is not bounded by any data, so no buffer of m norms is made.
    if (static_cast<std::ptrdiff_t>(m) * n == 0) {
        *lambda = 0;
        *steps = 0;
        return;
    }
    std::vector<double> norms(static_cast<std::size_t>(m));
    mixedShadowRowNorms(norms.data(), V, m, n);
    int longUnits = 0;
    mixedShadowPlainThreshold(lambda, steps, &longUnits, norms.data(), m, z, lambda0);
    if (!longUnits) return mixedShadowShrink(X, V, norms.data(), m, n, *lambda);
    // The norms or their sum went past the largest double: V is read again for its norms in
    // long units, and nothing is written where the threshold cannot be returned.
    mixedShadowLongRowNorms(norms.data(), V, m, n);
    double longLambda = 0;
    mixedShadowLongThreshold(lambda, steps, &longLambda, norms.data(), m, z, lambda0);
    mixedShadowShrink(X, V, norms.data(), m, n, longLambda);
}
