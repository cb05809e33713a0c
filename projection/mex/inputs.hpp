// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// Input checks that the family's gateways share, on top of mex/gateway.hpp.
#pragma once

#include <cmath>
#include <cstdio>

#include "mex/gateway.hpp"
#include "projection/messages.hpp"

namespace projectionInputs {

// p = 1 and p = 2 have closed forms; every other exponent searches (the L1-ball projection or
// the bisection), and a search needs finite data.
inline bool shadowSearches(double p) { return p != 1 && p != 2; }

// A weight or radius may be infinite but not NaN: a NaN would pass every comparison of the
// searches and end them at their step limits with a meaningless result.
inline void requireNumber(const gateway::Call& call, double value, const char* name) {
    if (std::isnan(value)) call.fail(reason::notFinite, "%s must not be NaN", name);
}

// The searches need finite data with a finite sum of magnitudes, on every row of the
// column-major m-by-n matrix V.
inline void requireSearchableRows(const gateway::Call& call, const double* V, int m, int n,
                                  const char* name) {
    const valuecheck::PieceFinding bad = valuecheck::firstRowWithoutFiniteSum(V, m, n);
    if (bad.piece < 0) return;
    char what[64];
    std::snprintf(what, sizeof what, "row %lld of %s", bad.piece + 1, name);
    call.fail(valuecheck::finiteSumFailureIn(what, V + bad.piece, m, bad.found));
}

}  // namespace projectionInputs
