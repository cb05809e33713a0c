// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// The norm shadow of each group of a vector, every group with its own weight.
#include <cstddef>

#include "support/interrupt.hpp"
#include "support/parallel.hpp"
#include "projection/domain.hpp"
#include "projection/group_table.hpp"
#include "projection/projection.hpp"

namespace {

// Whether the groups with elements follow one another without overlap, so that no two write
// the same element and they may be computed in any order.
bool groupsAscendApart(const double* b, int g) {
    long long end = 0;
    for (int k = 0; k < g; ++k) {
        const IndexGroup group = groupOfTable(b, k);
        if (group.length <= 0) continue;
        if (group.start < end) return false;
        end = static_cast<long long>(group.start) + group.length;
    }
    return true;
}

}  // namespace

void powerShadowVector(double* x, const double* v, const double* b, int g, int n, const double* rho,
                       double p) {
    requireNormExponent(p);
    // Every weight first, so that a bad one in the last group wastes no work.
    for (int k = 0; k < g; ++k) requireNonnegativeWeight(rho[k]);
    if (g <= 0) return;

    // Overlapping groups keep the one-thread order, where the last group writes. A general p
    // costs a bisection per group, the closed forms a few passes.
    const double passes = (p == 1 || p == 2) ? 4.0 : 2000.0;
    const double workPerGroup = groupsAscendApart(b, g) ? passes * n / g : 0.0;
    parallel::forEachRange(g, workPerGroup, 1, [&] {
        return [&](std::ptrdiff_t first, std::ptrdiff_t last) {
            int steps[2];
            double c;
            // Overlapping groups may cover v many times over, and short groups never reach a
            // poll inside powerShadow: the groups tick one of their own.
            InterruptPoll poll;
            for (std::ptrdiff_t k = first; k < last; ++k) {
                const IndexGroup group = groupOfTable(b, static_cast<int>(k));
                poll.tick(static_cast<long long>(passes * (group.length > 0 ? group.length : 0)) +
                          1);
                powerShadow(x + group.start, &c, steps, v + group.start, group.length, rho[k], p,
                            0);
            }
        };
    });
}
