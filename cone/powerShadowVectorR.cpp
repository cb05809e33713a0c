// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// Group-wise projection onto second-order cones, over a group boundary table.
#include <cstddef>

#include "cone/cone.hpp"
#include "cone/groups.hpp"
#include "cone/second_order_cone.hpp"
#include "support/interrupt.hpp"
#include "support/parallel.hpp"

namespace {

// Whether the non-empty groups follow one another without overlap, so that no two write the
// same element and they may be projected in any order.
bool groupsAscendApart(const double* b, int g) {
    int end = 0;
    for (int k = 0; k < g; ++k) {
        const GroupRange group = groupRange(b, k);
        if (group.empty()) continue;
        if (group.start < end) return false;
        end = group.end;
    }
    return true;
}

void projectGroups(double* x, double* t, const double* v, const double* c, const double* b,
                   std::ptrdiff_t first, std::ptrdiff_t last) {
    InterruptPoll poll;  // overlapping groups may cover v many times over
    for (std::ptrdiff_t k = first; k < last; ++k) {
        const GroupRange group = groupRange(b, static_cast<int>(k));
        poll.tick(group.empty() ? 1 : 1 + static_cast<long long>(group.end) - group.start);
        if (group.empty())
            t[k] = projectOntoCone(x, v, c[k], 0, 1);  // r = 0: only the bound changes
        else
            t[k] = projectOntoCone(x + group.start, v + group.start, c[k],
                                   static_cast<std::ptrdiff_t>(group.end) - group.start, 1);
    }
}

}  // namespace

void powerShadowVectorR(double* x, double* t, const double* v, const double* c, const double* b,
                        int n, int g) {
    if (g <= 0) return;
    // Overlapping groups keep the one-thread order, where the last group writes.
    const double workPerGroup = groupsAscendApart(b, g) ? 3.0 * n / g : 0.0;
    parallel::forEachRange(g, workPerGroup, 1, [&] {
        return [&](std::ptrdiff_t first, std::ptrdiff_t last) {
            projectGroups(x, t, v, c, b, first, last);
        };
    });
}
