// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// Cyclic coordinate descent on the lasso problem of one column.
//
// y = W(-j)b is kept up to date as coefficients change, so a sweep costs O(n) plus O(n) per
// coefficient that moves. Every operation below is the one the step is defined with, in the
// same order; the shortcuts (reading row i of a symmetric W as column i, skipping products
// with zero coefficients in a finite W) give the same bits.
#include <cmath>

#include "host/console.hpp"
#include "host/interrupt.hpp"
#include "precision/column_lasso.hpp"
#include "precision/precision.hpp"

namespace {

// y_k = d * W(i, k) + y_k for every k. The caller ignores y_j, so it is updated too, which
// keeps the loop free of branches. Unrolled by four so that the compiler can use vector
// instructions; each element still gets exactly one product and one sum.
void addScaledRow(double* __restrict y, double d, const double* __restrict W, int i, int n,
                  bool symmetric) {
    const std::ptrdiff_t order = n;
    if (symmetric) {
        const double* __restrict row = W + i * order;
        std::ptrdiff_t k = 0;
        for (; k + 4 <= order; k += 4) {
            y[k] = d * row[k] + y[k];
            y[k + 1] = d * row[k + 1] + y[k + 1];
            y[k + 2] = d * row[k + 2] + y[k + 2];
            y[k + 3] = d * row[k + 3] + y[k + 3];
        }
        for (; k < order; ++k) y[k] = d * row[k] + y[k];
    } else {
        const double* row = W + i;
        for (std::ptrdiff_t k = 0; k < order; ++k) y[k] = d * row[k * order] + y[k];
    }
}

// y_r = sum over i != j, in increasing i, of W(i, r) * beta_i for every r != j. The sums are
// accumulated term by term across all r at once, each in increasing i as m_Ax does.
void productWithoutColumn(double* y, const double* W, const double* beta, int n, int j,
                          const CovarianceShape& shape) {
    if (!shape.finite) {
        m_Ax(y, W, beta, n, j);
        return;
    }
    // y starts at +0; a sum started at +0 never becomes -0, so adding a zero product leaves
    // it unchanged.
    for (int i = 0; i < n; ++i)
        if (i != j && beta[i] != 0) addScaledRow(y, beta[i], W, i, n, shape.symmetric);
}

double softThresholdOver(double r, double lambda, double w) {
    if (r > lambda) return (r - lambda) / w;
    if (r < -lambda) return (r + lambda) / w;
    return 0;
}

}  // namespace

int lassoColumn(double* X, double* W, const double* S, double lambda, int n, int j,
                int lastSweep, int maxIter, double tolFun, double tolX, CovarianceShape* shape) {
    std::vector<double> work;
    if (!obtainWorkingMemory(work, 4 * static_cast<std::size_t>(n))) {
        consolePrintf("%s", kAllocationFailure);
        return -1;
    }
    const std::ptrdiff_t order = n;
    double* y = work.data();
    double* beta = y + order;
    double* sRow = beta + order;      // row j of S
    double* diagonal = sRow + order;  // W(i, i), which a step never changes

    for (std::ptrdiff_t i = 0; i < order; ++i) {
        sRow[i] = S[j + i * order];
        diagonal[i] = W[i + i * order];
        if (i != j) beta[i] = X[j + i * order];
    }
    productWithoutColumn(y, W, beta, n, j, *shape);

    double previous = -100;
    int t = 0;
    double q = 0;
    InterruptPoll poll;
    while (t < maxIter) {
        poll.tick(n);
        double change = 0;
        for (int i = 0; i < n; ++i) {
            if (i == j) continue;
            const double w = diagonal[i];
            const double b = beta[i];
            const double r = sRow[i] - (y[i] - b * w);
            const double next = softThresholdOver(r, lambda, w);
            if (next != b) {
                addScaledRow(y, next - b, W, i, n, shape->symmetric);
                change += std::fabs(b - next);
                beta[i] = next;
            }
        }

        q = 0;
        double g = 0;
        for (int k = 0; k < n; ++k) {
            if (k == j) continue;
            q = beta[k] * y[k] + q;
            g = g + (std::fabs(beta[k]) * lambda - sRow[k] * beta[k]);
        }
        const double f = g + 0.5 * q;

        if (tolFun >= std::fabs(f - previous)) break;
        if (tolX >= change) break;
        ++t;
        if (t == maxIter) break;
        previous = f;
    }

    const double theta = lastSweep ? 1 / (W[j + j * order] - q) : 0;
    if (lastSweep) X[j + j * order] = theta;
    for (std::ptrdiff_t k = 0; k < order; ++k) {
        if (k == j) continue;
        W[k + j * order] = y[k];
        W[j + k * order] = y[k];
        const double x = lastSweep ? -beta[k] * theta : beta[k];
        X[k + j * order] = x;
        X[j + k * order] = x;
        if (!std::isfinite(y[k])) shape->finite = false;
    }
    return t;
}

int lassoCD(double* X, double* W, const double* S, double lambda, int n, int j, int lastSweep,
            int maxIter, double tolFun, double tolX) {
    CovarianceShape shape = examineCovariance(W, n);
    return lassoColumn(X, W, S, lambda, n, j, lastSweep, maxIter, tolFun, tolX, &shape);
}
