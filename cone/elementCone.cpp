// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// Element-wise projection onto the epigraph of the absolute value.
#include <cmath>
#include <cstddef>

#include "cone/cone.hpp"
#include "cone/cone_region.hpp"
#include "support/branchless.hpp"
#include "support/parallel.hpp"

namespace {

void projectElements(double* x, double* t, const double* v, const double* c, std::ptrdiff_t first,
                     std::ptrdiff_t last) {
    for (std::ptrdiff_t i = first; i < last; ++i) {
        const double a = std::fabs(v[i]);
        // The tests in their order: within counts only where beyond fails.
        const bool beyond = beyondCone(a, c[i]);
        const bool within = withinCone(a, c[i]);
        // Outside, the boundary ray through (sign(v_i), 1): x_i = +-t_i (v_i != 0 there).
        const double bound = (a + c[i]) / 2;
        const double toBoundary = pick(v[i] > 0, bound, -bound);
        // Inside, the pair is kept (the sign of a zero too); in the polar cone it becomes +0.
        t[i] = pick(beyond, bound, pick(within, c[i], 0.0));
        x[i] = pick(beyond, toBoundary, pick(within, v[i], 0.0));
    }
}

}  // namespace

void elementCone(double* x, double* t, const double* v, const double* c, int n) {
    parallel::forEachChunk(n, 2.0, [&](std::ptrdiff_t first, std::ptrdiff_t last) {
        projectElements(x, t, v, c, first, last);
    });
}
