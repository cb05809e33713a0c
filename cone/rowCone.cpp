// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// Row-wise projection onto second-order cones, one row at a time down the column-major data,
// the rows shared out among threads. Flat indices are 64-bit, so matrices with more than 2^31
// elements work.
#include <cstddef>

#include "cone/cone.hpp"
#include "cone/second_order_cone.hpp"
#include "support/interrupt.hpp"
#include "support/parallel.hpp"

void rowCone(double* X, double* t, const double* V, const double* c, int m, int n) {
    // Rows without elements leave X and V without data (their pointers may be null).
    const std::ptrdiff_t rowStart = n > 0 ? 1 : 0;
    // Captured by value, so that the loop keeps them in registers.
    parallel::forEachRange(m, 3.0 * n, 1, [=] {
        return [=](std::ptrdiff_t first, std::ptrdiff_t last) {
            InterruptPoll poll;  // a row strides through memory: a pass can take seconds
            forEachPolledStretch(first, last, n + 1LL, poll,
                                 [=](std::ptrdiff_t from, std::ptrdiff_t to) {
                                     for (std::ptrdiff_t i = from; i < to; ++i)
                                         t[i] = projectOntoCone(X + i * rowStart,
                                                                V + i * rowStart, c[i], n, m);
                                 });
        };
    });
}
