// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
#include "projection/group_table.hpp"

#include "support/truncate.hpp"

IndexGroup groupOfTable(const double* b, int k) {
    return IndexGroup{truncateToInt(b[k]), truncateToInt(b[k + 1] - b[k])};
}

int firstGroupOutsideByLength(const double* b, int g, int n) {
    for (int k = 0; k < g; ++k) {
        const IndexGroup group = groupOfTable(b, k);
        // NaN and out-of-range values truncate to -2^31, so they fail the first two tests.
        if (group.start < 0 || group.length < 0 ||
            static_cast<long long>(group.start) + group.length > n)
            return k;
    }
    return -1;
}

valuecheck::PieceFinding firstGroupWithoutFiniteSum(const double* v, const double* b, int g) {
    for (int k = 0; k < g; ++k) {
        const IndexGroup group = groupOfTable(b, k);
        const long long found = valuecheck::finiteSumCheck(v + group.start, group.length, 1);
        if (found != -1) return {k, found};
    }
    return {-1, -1};
}
