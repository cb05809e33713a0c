// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
#include "precision/precision.hpp"

#include <cstddef>

void m_Ax(double* y, const double* A, const double* x, int n, int j) {
    for (int r = 0; r < n; ++r) {
        if (r == j) continue;
        const double* column = A + static_cast<std::ptrdiff_t>(r) * n;
        double sum = 0;
        for (int i = 0; i < n; ++i)
            if (i != j) sum += column[i] * x[i];
        y[r] = sum;
    }
}
