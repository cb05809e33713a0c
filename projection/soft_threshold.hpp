// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// Soft thresholding: a moved toward zero by lambda, and +0 within [-lambda, lambda].
//
// Both shifts are computed and one kept, without a branch that data met at random would
// mispredict. For lambda >= 0 at most one test holds and the result is that of the usual
// if-else chain in either order (a NaN a or lambda gives +0). Three sites keep a form of
// their own, because their arithmetic differs where this one's is fixed:
// - powerShadowOne (closed_form_shadows.cpp) returns NaN for a NaN element, which the p = 1
//   shadow accepts unchecked; here it would become +0.
// - the tree operator's L1 start (treetable/tree_prox.hpp) accepts a negative weight, where
//   both tests hold for small |a|: its chain takes a - lambda, here both shifts would be added.
// - the lasso step (precision/lasso_cd.cpp) divides the shifted value by the diagonal, and
//   not the 0: a zero diagonal then leaves a coefficient at 0 instead of NaN.
#pragma once

#include <cstddef>

#include "support/branchless.hpp"

// Every x86-64 processor has SSE2, and its operations on two doubles at once round as the
// scalar ones do: the same comparisons, shifts and masks give the same bits, two at a time.
#if defined(__SSE2__) || defined(_M_X64) || (defined(_M_IX86_FP) && _M_IX86_FP >= 2)
#include <emmintrin.h>
#define SPARSEMEX_SSE2 1
#endif

inline double softThreshold(double a, double lambda) {
    const double above = a - lambda;
    const double below = a + lambda;
    return keptIf(a > lambda, above) + keptIf(a < -lambda, below);
}

// x[k] = softThreshold(v[k], lambda) for k < count: the same bits, two elements at a time
// where the processor allows.
inline void softThresholdRange(double* x, const double* v, std::ptrdiff_t count, double lambda) {
    std::ptrdiff_t k = 0;
#if defined(SPARSEMEX_SSE2)
    const __m128d upper = _mm_set1_pd(lambda);
    const __m128d lower = _mm_set1_pd(-lambda);
    for (; k + 2 <= count; k += 2) {
        const __m128d a = _mm_loadu_pd(v + k);
        const __m128d above = _mm_and_pd(_mm_cmpgt_pd(a, upper), _mm_sub_pd(a, upper));
        const __m128d below = _mm_and_pd(_mm_cmplt_pd(a, lower), _mm_add_pd(a, upper));
        _mm_storeu_pd(x + k, _mm_add_pd(above, below));
    }
#endif
    for (; k < count; ++k) x[k] = softThreshold(v[k], lambda);
}
