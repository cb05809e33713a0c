// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// Cyclic coordinate descent on the lasso problem of one column.
//
// y = W(-j)b is kept up to date as coefficients change, so a sweep costs O(n) plus O(n) per
// coefficient that moves. Every operation below is the one the step is defined with, in the
// same order; the shortcuts (reading row i of a symmetric W as column i, skipping products
// with zero coefficients in a finite W) give the same bits.
#include <cmath>

#include "support/console.hpp"
#include "support/interrupt.hpp"
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

// The working vectors of one column's lasso, in one buffer of 4n.
struct ColumnWork {
    double* y;         // W(-j) beta
    double* beta;      // the coefficients, beta_j unused
    double* sRow;      // row j of S
    double* diagonal;  // W(i, i), which a step never changes
};

ColumnWork gatherColumn(double* buffer, const double* X, const double* W, const double* S, int n,
                        int j) {
    const std::ptrdiff_t order = n;
    const ColumnWork work{buffer, buffer + order, buffer + 2 * order, buffer + 3 * order};
    for (std::ptrdiff_t i = 0; i < order; ++i) {
        work.sRow[i] = S[j + i * order];
        work.diagonal[i] = W[i + i * order];
        if (i != j) work.beta[i] = X[j + i * order];
    }
    return work;
}

// One cyclic sweep over the coefficients i != j; returns the sum of their moves.
double sweep(const ColumnWork& work, const double* W, double lambda, int n, int j,
             bool symmetric) {
    double change = 0;
    for (int i = 0; i < n; ++i) {
        if (i == j) continue;
        const double w = work.diagonal[i];
        const double b = work.beta[i];
        const double r = work.sRow[i] - (work.y[i] - b * w);
        const double next = softThresholdOver(r, lambda, w);
        if (next != b) {
            addScaledRow(work.y, next - b, W, i, n, symmetric);
            change += std::fabs(b - next);
            work.beta[i] = next;
        }
    }
    return change;
}

// The objective g + q / 2 after a sweep, with q = beta' y (kept for the diagonal of X).
double objective(const ColumnWork& work, double lambda, int n, int j, double* qOut) {
    double q = 0;
    double g = 0;
    for (int k = 0; k < n; ++k) {
        if (k == j) continue;
        q = work.beta[k] * work.y[k] + q;
        g = g + (std::fabs(work.beta[k]) * lambda - work.sRow[k] * work.beta[k]);
    }
    *qOut = q;
    return g + 0.5 * q;
}

// Writes y into row and column j of W, and beta (scaled by -theta on the last sweep, with
// theta on the diagonal) into those of X; notes whether W stays finite.
void writeColumn(double* X, double* W, const ColumnWork& work, int n, int j, int lastSweep,
                 double q, CovarianceShape* shape) {
    const std::ptrdiff_t order = n;
    const double theta = lastSweep ? 1 / (W[j + j * order] - q) : 0;
    if (lastSweep) X[j + j * order] = theta;
    for (std::ptrdiff_t k = 0; k < order; ++k) {
        if (k == j) continue;
        W[k + j * order] = work.y[k];
        W[j + k * order] = work.y[k];
        const double x = lastSweep ? -work.beta[k] * theta : work.beta[k];
        X[k + j * order] = x;
        X[j + k * order] = x;
        if (!std::isfinite(work.y[k])) shape->finite = false;
    }
}

}  // namespace

int lassoColumn(double* X, double* W, const double* S, double lambda, int n, int j,
                int lastSweep, int maxIter, double tolFun, double tolX, CovarianceShape* shape) {
    std::vector<double> work;
    if (!obtainWorkingMemory(work, 4 * static_cast<std::size_t>(n))) {
        consolePrintf("%s", kAllocationFailure);
        return -1;
    }
    const ColumnWork column = gatherColumn(work.data(), X, W, S, n, j);
    productWithoutColumn(column.y, W, column.beta, n, j, *shape);

    double previous = -100;
    int t = 0;
    double q = 0;
    InterruptPoll poll;
    while (t < maxIter) {
        poll.tick(n);
        const double change = sweep(column, W, lambda, n, j, shape->symmetric);
        const double f = objective(column, lambda, n, j, &q);
        if (tolFun >= std::fabs(f - previous)) break;
        if (tolX >= change) break;
        ++t;
        if (t == maxIter) break;
        previous = f;
    }

    writeColumn(X, W, column, n, j, lastSweep, q, shape);
    return t;
}

int lassoCD(double* X, double* W, const double* S, double lambda, int n, int j, int lastSweep,
            int maxIter, double tolFun, double tolX) {
    CovarianceShape shape = examineCovariance(W, n);
    return lassoColumn(X, W, S, lambda, n, j, lastSweep, maxIter, tolFun, tolX, &shape);
}
