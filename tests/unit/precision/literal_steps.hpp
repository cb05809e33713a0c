// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// The column step and the outer loop written out operation by operation, with no shortcut:
// every index from its definition, every sum in its stated order. The routines must match it
// bit for bit. Its loops look like the routines' on purpose: it is an independent literal
// transcription of the steps, sharing no code with what it checks, so it is not to be merged.
#pragma once

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

namespace literal {

inline int lassoStep(double* X, double* W, const double* S, double lambda, int n, int j,
                     int lastSweep, int maxIter, double tolFun, double tolX) {
    const long N = n;
    std::vector<double> y(N, 0.0), beta(N, 0.0);
    for (long i = 0; i < N; ++i)
        if (i != j) beta[i] = X[j + i * N];
    for (long r = 0; r < N; ++r) {
        if (r == j) continue;
        double sum = 0;
        for (long i = 0; i < N; ++i)
            if (i != j) sum = sum + W[r * N + i] * beta[i];
        y[r] = sum;
    }
    double previous = -100, q = 0;
    int t = 0;
    while (t < maxIter) {
        double change = 0;
        for (long i = 0; i < N; ++i) {
            if (i == j) continue;
            const double w = W[i + i * N], b = beta[i];
            const double r = S[j + i * N] - (y[i] - b * w);
            const double next = r > lambda ? (r - lambda) / w : r < -lambda ? (r + lambda) / w : 0;
            if (next != b) {
                for (long k = 0; k < N; ++k)
                    if (k != j) y[k] = (next - b) * W[i + k * N] + y[k];
                change = change + std::fabs(b - next);
                beta[i] = next;
            }
        }
        q = 0;
        double g = 0;
        for (long k = 0; k < N; ++k) {
            if (k == j) continue;
            q = beta[k] * y[k] + q;
            g = g + (std::fabs(beta[k]) * lambda - S[j + k * N] * beta[k]);
        }
        const double f = g + 0.5 * q;
        if (tolFun >= std::fabs(f - previous)) break;
        if (tolX >= change) break;
        t = t + 1;
        if (t == maxIter) break;
        previous = f;
    }
    double theta = 0;
    if (lastSweep != 0) {
        theta = 1 / (W[j + j * N] - q);
        X[j + j * N] = theta;
    }
    for (long k = 0; k < N; ++k) {
        if (k == j) continue;
        W[k + j * N] = y[k];
        W[j + k * N] = y[k];
        X[k + j * N] = lastSweep != 0 ? -beta[k] * theta : beta[k];
        X[j + k * N] = lastSweep != 0 ? -beta[k] * theta : beta[k];
    }
    return t;
}

// Returns what the outer loop prints.
inline std::string sweep(double* X, double* W, const double* S, double lambda, int n,
                         int maxIter, double tolFun, double tolX, int maxOuter, double tolOuter) {
    const long N = n;
    std::vector<double> P(N * N);
    for (long i = 0; i < N; ++i) {
        for (long r = 0; r < N; ++r) {
            W[r + i * N] = r == i ? lambda + S[r + i * N] : S[r + i * N];
            P[r + i * N] = W[r + i * N];
            X[r + i * N] = 0;
        }
    }
    std::string printed;
    int lastSweep = 0;
    for (int iter = 0; iter <= maxOuter; ++iter) {
        for (int j = 0; j < n; ++j)
            lassoStep(X, W, S, lambda, n, j, lastSweep, maxIter, tolFun, tolX);
        if (lastSweep != 0) break;
        double gap = 0;
        for (long k = 0; k < N * N; ++k) {
            gap = gap + std::fabs(W[k] - P[k]);
            P[k] = W[k];
        }
        char line[96];
        std::snprintf(line, sizeof line, "\n Outer Loop: %d, gap %e\n", iter, gap);
        printed += line;
        if (tolOuter >= gap || iter == maxOuter - 1) lastSweep = 1;
    }
    return printed;
}

}  // namespace literal
