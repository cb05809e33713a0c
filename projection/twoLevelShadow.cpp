// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// Two shrinkage steps on a matrix: every element by lambda1, then every row by lambda2, in
// the Euclidean norm (mode 2) or in the infinity norm (any other mode).
//
// The Euclidean row step handles the n mod 5 leading columns one at a time and the rest in
// blocks of five whose squares (and magnitudes) are summed before they join the running sum.
// That grouping is part of the result: it changes the last bits.
#include <cmath>
#include <cstddef>
#include <vector>

#include "support/interrupt.hpp"
#include "support/parallel.hpp"
#include "support/scaled_length.hpp"
#include "projection/domain.hpp"
#include "projection/projection.hpp"
#include "projection/soft_threshold.hpp"

namespace {

// A row of the column-major matrix X: element j at X[i + j m].
struct Row {
    double* X;
    std::ptrdiff_t i;
    std::ptrdiff_t m;
    double& operator[](std::ptrdiff_t j) const { return X[i + j * m]; }
};

double square(double a) { return a * a; }

// The magnitudes of x[j..j+4], summed before they join a running sum.
inline double blockMagnitude(Row x, int j) {
    return (((std::fabs(x[j]) + std::fabs(x[j + 1])) + std::fabs(x[j + 2])) + std::fabs(x[j + 3])) +
           std::fabs(x[j + 4]);
}

// Adds the magnitudes of the row's elements to `sum`: the n mod 5 leading ones one at a time,
// the rest in blocks of five.
void addMagnitudes(Row x, int n, double& sum) {
    const int h = n % 5;
    for (int j = 0; j < h; ++j) sum = sum + std::fabs(x[j]);
    for (int j = h; j < n; j += 5) sum = sum + blockMagnitude(x, j);
}

// What a Euclidean row step leaves to the sums N: whether the row was shrunk rather than
// zeroed, and then its new Euclidean norm r - lambda.
struct ShrunkRow {
    bool shrunk;
    double norm;
};

// The sum of the squares of b[0..n-1]: the n mod 5 leading ones one at a time, the rest in
// blocks of five.
double sumOfSquares(const double* b, int n) {
    const int h = n % 5;
    double s = 0;
    for (int j = 0; j < h; ++j) s = s + square(b[j]);
    for (int j = h; j < n; j += 5)
        s = s + ((((square(b[j]) + square(b[j + 1])) + square(b[j + 2])) + square(b[j + 3])) +
                 square(b[j + 4]));
    return s;
}

// A row's Euclidean norm r and the weight lambda, in the units in which they are compared:
// plain ones, or units of 2^600 where r overflowed (the shrinking factor is the same in any
// units; the shrunk norm is returned in plain ones).
struct NormAndWeight {
    double r;
    double lambda;
    bool longUnits;
    double shrunkNorm() const { return longUnits ? fromLongUnits(r - lambda) : r - lambda; }
};

// Takes the norm of the row copied into b, which it may scale in place.
NormAndWeight normOf(double* b, int n, double lambda) {
    const double r = lengthFromSumOfSquares(sumOfSquares(b, n), n,
                                            [b](std::ptrdiff_t j) { return b[j]; });
    if (!pastLargestDouble(r)) return NormAndWeight{r, lambda, false};
    for (int j = 0; j < n; ++j) b[j] = inLongUnits(b[j]);
    const double longR = std::sqrt(sumOfSquares(b, n));
    if (pastLargestDouble(longR)) return NormAndWeight{r, lambda, false};  // not finite
    return NormAndWeight{longR, inLongUnits(lambda), true};
}

// Shrinks the row by lambda in the Euclidean norm. With N, adds its L1 norm to N[0] and its
// Euclidean norm to N[1] as it goes (addToSums does the same later from the result).
ShrunkRow shrinkEuclidean(Row x, double* b, int n, double lambda, double* N) {
    const int h = n % 5;
    for (int j = 0; j < n; ++j) b[j] = x[j];
    const NormAndWeight norm = normOf(b, n, lambda);
    const double r = norm.r;

    if (norm.lambda >= r) {
        for (int j = 0; j < n; ++j) x[j] = 0;
        return ShrunkRow{false, 0};
    }
    const double f = (r - norm.lambda) / r;
    if (N == nullptr) {
        for (int j = 0; j < n; ++j) x[j] = x[j] * f;
        return ShrunkRow{true, norm.shrunkNorm()};
    }
    N[1] = N[1] + norm.shrunkNorm();
    for (int j = 0; j < h; ++j) {
        x[j] = x[j] * f;
        N[0] = N[0] + std::fabs(x[j]);
    }
    for (int j = h; j < n; j += 5) {
        for (int k = j; k < j + 5; ++k) x[k] = x[k] * f;
        N[0] = N[0] + blockMagnitude(x, j);
    }
    return ShrunkRow{true, norm.shrunkNorm()};
}

// N[1] += the norm of a shrunk row, N[0] += its magnitudes; a zeroed row adds nothing.
void addToSums(Row x, int n, const ShrunkRow& row, double* N) {
    if (!row.shrunk) return;
    N[1] = N[1] + row.norm;
    addMagnitudes(x, n, N[0]);
}

// Shrinks the row by lambda in the infinity norm: the row minus its projection onto the L1
// ball of radius lambda, that is the row clipped at the projection's threshold.
void shrinkInfinity(Row x, double* b, double* projected, int n, double lambda) {
    double s = 0;
    for (int j = 0; j < n; ++j) {
        b[j] = x[j];
        s += std::fabs(b[j]);
    }
    if (lambda >= s) {
        for (int j = 0; j < n; ++j) x[j] = 0;
        return;
    }
    double threshold = 0;
    int steps = 0;
    simplexShadow(projected, &threshold, &steps, b, n, lambda, 0);
    for (int j = 0; j < n; ++j) {
        if (x[j] > threshold)
            x[j] = threshold;
        else if (x[j] < -threshold)
            x[j] = -threshold;
    }
}

}  // namespace

void twoLevelShadow(double* X, double* N, const double* V, int m, int n, double lambda1,
                    double lambda2, int mode) {
    requireNonnegativeParameter(lambda1, "lambda1");
    requireNonnegativeParameter(lambda2, "lambda2");

    N[1] = 0;
    N[0] = 0;
    const std::ptrdiff_t rows = m;
    // An empty matrix changes nothing (a row without elements has norm 0, which every weight
    // zeroes): no buffers, and no walk over rows that hold nothing.
    if (rows == 0 || n == 0) return;
    const std::ptrdiff_t size = rows * n;
    parallel::forEachRange(size, 1.0, 1, [&] {
        return [&](std::ptrdiff_t first, std::ptrdiff_t last) {
            softThresholdRange(X + first, V + first, last - first, lambda1);
        };
    });

    // The rows are shared out among threads. The sums N run in row order: on one thread as
    // the rows go, otherwise after the join from what each row left.
    const bool euclidean = mode == 2;
    const double workPerRow = euclidean ? 4.0 * n : 40.0 * n;
    const parallel::Plan plan = parallel::planLoop(rows, workPerRow);
    const bool allRows = plan.threads <= 1;
    std::vector<ShrunkRow> shrunk(euclidean && !allRows ? static_cast<std::size_t>(rows) : 0);
    parallel::forEachRange(plan, [&] {
        // A row strides through memory: a pass can take seconds, so each row ticks the poll.
        return [&, b = std::vector<double>(static_cast<std::size_t>(n)),
                projected = std::vector<double>(euclidean ? 0 : static_cast<std::size_t>(n)),
                poll = InterruptPoll()](std::ptrdiff_t first, std::ptrdiff_t last) mutable {
            for (std::ptrdiff_t i = first; i < last; ++i) {
                poll.tick(static_cast<long long>(workPerRow));
                const Row x{X, i, rows};
                if (!euclidean) {
                    shrinkInfinity(x, b.data(), projected.data(), n, lambda2);
                    continue;
                }
                const ShrunkRow row =
                    shrinkEuclidean(x, b.data(), n, lambda2, allRows ? N : nullptr);
                if (!allRows) shrunk[i] = row;
            }
        };
    });
    if (euclidean && !allRows)
        for (std::ptrdiff_t i = 0; i < rows; ++i) addToSums(Row{X, i, rows}, n, shrunk[i], N);
}
