// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// The norm shadow of every row of a column-major matrix, with one weight and one exponent.
#include <cstddef>
#include <vector>

#include "support/interrupt.hpp"
#include "support/parallel.hpp"
#include "projection/domain.hpp"
#include "projection/projection.hpp"

namespace {

// A row's cost in work units: the closed forms pass over it a few times, the bisection of a
// general p some fifty times with a power per element.
double workPerRow(int n, double p) {
    if (p == 1 || p == 2) return 4.0 * n;
    return 2000.0 * n;
}

// Rows first..last-1 of the m-by-n matrix (rows = m). Many short rows never reach a poll
// inside powerShadow, so the rows tick one of their own.
void shadowRows(double* X, const double* V, std::ptrdiff_t rows, int n, double rho, double p,
                std::ptrdiff_t first, std::ptrdiff_t last) {
    std::vector<double> row(static_cast<std::size_t>(n));
    std::vector<double> result(static_cast<std::size_t>(n));
    int steps[2];
    // Each row starts its threshold search (the infinity case) from the previous row's.
    double c0 = 0;
    InterruptPoll poll;
    const double rowWork = workPerRow(n, p);
    for (std::ptrdiff_t i = first; i < last; ++i) {
        poll.tick(static_cast<long long>(rowWork));
        for (int j = 0; j < n; ++j) row[j] = V[i + j * rows];
        double c = 0;
        powerShadow(result.data(), &c, steps, row.data(), n, rho, p, c0);
        c0 = c;
        for (int j = 0; j < n; ++j) X[i + j * rows] = result[j];
    }
}

}  // namespace

void powerShadowMatrix(double* X, const double* V, int m, int n, double rho, double p) {
    requireNonnegativeWeight(rho);
    requireNormExponent(p);
    // An empty matrix has nothing to write: no buffers however long the rows would be, and
    // no walk over rows that hold nothing.
    if (m == 0 || n == 0) return;

    // The infinity case chains its rows through their thresholds: those stay on one thread.
    const double work = shadowChainsRows(p) ? 0.0 : workPerRow(n, p);
    parallel::forEachRange(m, work, 1, [&] {
        return [&](std::ptrdiff_t first, std::ptrdiff_t last) {
            shadowRows(X, V, m, n, rho, p, first, last);
        };
    });
}
