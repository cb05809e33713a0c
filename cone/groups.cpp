// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
#include "cone/groups.hpp"

int firstGroupOutsideByEnds(const double* b, int g, int n) {
    for (int k = 0; k < g; ++k) {
        const GroupRange group = groupRange(b, k);
        if (!group.empty() && (group.start < 0 || group.end > n)) return k;
    }
    return -1;
}
