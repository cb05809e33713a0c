// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// Sparse inverse covariance by block coordinate descent.
//
// From a sample covariance S (n-by-n, column-major, symmetric) and a penalty lambda,
// precisionSweep estimates a covariance W and its sparse inverse X. W starts as S with lambda
// added to its diagonal; each outer iteration visits the columns j = 0..n-1 and solves, with
// lassoCD, the lasso problem of column j
//     minimize 0.5 b'W(-j)b - sum_k S(j,k) b_k + lambda sum_k |b_k|     (k != j),
// writing y = W(-j)b into row and column j of W and b into those of X. A last outer
// iteration turns the coefficients into the inverse. X, W and S must not overlap.
#pragma once

// y_r = sum over i != j, in increasing i, of A[r*n + i] * x_i, for every r != j (column r of
// A). y_j is not written.
void m_Ax(double* y, const double* A, const double* x, int n, int j);

// The lasso step of column j, warm-started from row j of X, with at most maxIter sweeps of
// cyclic coordinate descent; a sweep ends the step when the objective changed by at most
// tolFun or the coefficients by at most tolX in all. Writes y and b into row and column j of
// W and X; with lastSweep set, writes the column of the inverse into X instead. Returns the
// sweep count, or -1 after printing "\n Memory allocation failure!" when working memory
// cannot be had (W and X are then left as they were).
int lassoCD(double* X, double* W, const double* S, double lambda, int n, int j, int lastSweep,
            int maxIter, double tolFun, double tolX);

// The whole estimate: X and W are overwritten (their contents on entry do not matter), S is
// only read. At most maxOuter + 1 outer iterations run; each but the last prints
// "\n Outer Loop: %d, gap %e\n" with the summed change of W (unless printProgress is false,
// the caller's choice), and a gap of at most tolOuter
// (or reaching iteration maxOuter - 1) makes the next iteration the last. spareCount is not
// used. Throws RoutineFailure(reason::outOfMemory) after printing
// "\n Memory allocation failure!" when working memory cannot be had.
void precisionSweep(double* X, double* W, const double* S, double lambda, double spareCount,
                    int n, int maxIter, double tolFun, double tolX, int maxOuter,
                    double tolOuter, bool printProgress = true);
