// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// Condat's algorithm for the Euclidean projection onto the L1 ball (L. Condat, "Fast
// projection onto the simplex and the l1 ball", Mathematical Programming 158, 2016), written
// from the paper's description, as the peer of simplexShadow in the benchmarks.
//
// The magnitudes |y_n| are projected onto the simplex of radius a: a running estimate rho of
// the threshold is kept over a list v of candidates, with the candidates that an earlier
// restart set aside in a waiting list; the waiting list is then merged and the candidates
// at or below rho are removed until none is. Signs are restored at the end.
#pragma once

#include <cmath>
#include <cstddef>

namespace peer {

// x and work hold n doubles (work is scratch); returns the threshold.
inline double condatL1Ball(double* x, double* work, const double* y, std::size_t n, double a) {
    double norm = 0;
    for (std::size_t i = 0; i < n; ++i) norm += std::fabs(y[i]);
    if (norm <= a) {
        for (std::size_t i = 0; i < n; ++i) x[i] = y[i];
        return 0;
    }
    // The waiting list is work[0 .. waitingEnd), the list v is work[vBegin .. vEnd): setting a
    // whole v aside only moves the boundary.
    std::size_t waitingEnd = 0, vBegin = 0, vEnd = 1;
    work[0] = std::fabs(y[0]);
    double rho = work[0] - a;
    for (std::size_t i = 1; i < n; ++i) {
        const double yi = std::fabs(y[i]);
        if (yi > rho) {
            rho += (yi - rho) / static_cast<double>(vEnd - vBegin + 1);
            if (rho > yi - a) {
                work[vEnd++] = yi;
            } else {
                waitingEnd = vEnd;
                vBegin = vEnd;
                work[vEnd++] = yi;
                rho = yi - a;
            }
        }
    }
    // Waiting candidates above rho join v, which is moved down over the waiting list.
    if (waitingEnd > 0) {
        std::size_t size = 0;
        for (std::size_t k = 0; k < waitingEnd; ++k) {
            if (work[k] > rho) {
                work[size++] = work[k];
                rho += (work[k] - rho) / static_cast<double>(vEnd - vBegin + size);
            }
        }
        for (std::size_t k = vBegin; k < vEnd; ++k) work[size++] = work[k];
        vBegin = 0;
        vEnd = size;
    }
    std::size_t size = vEnd - vBegin;
    std::size_t previous;
    do {
        previous = size;
        std::size_t kept = vBegin;
        for (std::size_t k = vBegin; k < vBegin + previous; ++k) {
            const double value = work[k];
            if (value > rho) {
                work[kept++] = value;
            } else {
                --size;
                rho += (rho - value) / static_cast<double>(size);
            }
        }
    } while (size != previous);
    for (std::size_t i = 0; i < n; ++i) {
        const double shrunk = std::fabs(y[i]) - rho;
        x[i] = shrunk > 0 ? std::copysign(shrunk, y[i]) : 0.0;
    }
    return rho;
}

}  // namespace peer
