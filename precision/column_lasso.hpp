// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// The column step behind lassoCD, told what is known about W so that it can take shortcuts
// that leave every result bit for bit the same.
#pragma once

#include <cstddef>
#include <vector>

#include "support/allocation_failure.hpp"

// What decides the shortcuts a column step may take on the n-by-n matrix W.
struct CovarianceShape {
    // W(r, c) and W(c, r) have the same bits, so row i of W can be read as column i, which
    // lies contiguously in memory.
    bool symmetric;
    // No Inf or NaN in W, so a product with a zero coefficient is a zero, which leaves a sum
    // started at +0 unchanged and can be skipped.
    bool finite;
};

CovarianceShape examineCovariance(const double* W, int n);

// lassoCD on a W of the given shape. A step writes only bitwise-symmetric values into W, so
// symmetry is kept; finiteness is updated for the values written.
int lassoColumn(double* X, double* W, const double* S, double lambda, int n, int j,
                int lastSweep, int maxIter, double tolFun, double tolX, CovarianceShape* shape);

// Zero-filled working memory of `count` doubles; false when it cannot be had.
inline bool obtainWorkingMemory(std::vector<double>& work, std::size_t count) {
    return allocationSucceeds([&] { work.assign(count, 0.0); });
}

// The family's console message for a failed allocation.
constexpr const char* kAllocationFailure = "\n Memory allocation failure!";
