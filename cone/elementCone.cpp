// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// Element-wise projection onto the epigraph of the absolute value.
#include <cmath>
#include <cstddef>

#include "cone/cone.hpp"
#include "cone/cone_region.hpp"
#include "support/branchless.hpp"
#include "support/interrupt.hpp"
#include "support/parallel.hpp"
#include "support/scaled_length.hpp"

namespace {

void projectElements(double* x, double* t, const double* v, const double* c, std::ptrdiff_t first,
                     std::ptrdiff_t last) {
    for (std::ptrdiff_t i = first; i < last; ++i) {
        const double a = std::fabs(v[i]);
        // The tests in their order: within counts only where beyond fails.
        const bool beyond = beyondCone(a, c[i]);
        const bool within = withinCone(a, c[i]);
        // Outside, the boundary ray through (sign(v_i), 1): x_i = +-t_i (v_i != 0 and
        // t_i > 0 there, so the sign of v_i is all that x_i takes from it). The half sum
        // stays finite where a + c overflows.
        const double bound = halfSum(a, c[i]);
        const double toBoundary = std::copysign(bound, v[i]);
        // Inside, the pair is kept (the sign of a zero too); in the polar cone it becomes +0.
        t[i] = pick(beyond, bound, pick(within, c[i], 0.0));
        x[i] = pick(beyond, toBoundary, pick(within, v[i], 0.0));
    }
}

}  // namespace

void elementCone(double* x, double* t, const double* v, const double* c, int n) {
    parallel::forEachRange(n, 2.0, 1, [&] {
        return [&](std::ptrdiff_t first, std::ptrdiff_t last) {
            InterruptPoll poll;
            forEachPolledStretch(first, last, 1, poll, [&](std::ptrdiff_t from, std::ptrdiff_t to) {
                projectElements(x, t, v, c, from, to);
            });
        };
    });
}
