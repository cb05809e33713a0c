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

#include "support/branchless.hpp"

inline double softThreshold(double a, double lambda) {
    const double above = a - lambda;
    const double below = a + lambda;
    return keptIf(a > lambda, above) + keptIf(a < -lambda, below);
}
