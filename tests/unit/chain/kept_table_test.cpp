// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// chainAscend keeps its block table from call to call and its running block in registers;
// neither may change a bit of the fit.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "chain/chain.hpp"
#include "tests/support/random.hpp"
#include "tests/support/references.hpp"

namespace {

// The upward sweep exactly as it is defined: a fresh table, every block's mean and end
// written at once, then the read-out.
std::vector<double> literalAscend(const std::vector<double>& v) {
    const int n = static_cast<int>(v.size());
    std::vector<double> x(v.size());
    std::vector<int> blockEnd(v.size());
    x[n - 1] = v[n - 1];
    blockEnd[n - 1] = n - 1;
    for (int i = n - 2; i >= 0; --i) {
        const double b = x[i + 1];
        if (v[i] > b) {
            x[i] = v[i];
            blockEnd[i] = i;
            continue;
        }
        const int e = blockEnd[i + 1];
        x[i] = (v[i] + b * static_cast<double>(e - i)) / static_cast<double>(e - i + 1);
        blockEnd[i] = e;
        for (int s = e + 1; s < n && x[s] >= x[i]; s = blockEnd[i] + 1) {
            const int g = blockEnd[s];
            x[i] = (x[i] * static_cast<double>(s - i) + x[s] * static_cast<double>(g - s + 1)) /
                   static_cast<double>(g - i + 1);
            blockEnd[i] = g;
        }
    }
    for (int s = 0; s < n;) {
        if (!(x[s] > 0)) {
            for (int i = s; i < n; ++i) x[i] = 0;
            break;
        }
        for (int i = s + 1; i <= blockEnd[s]; ++i) x[i] = x[s];
        s = blockEnd[s] + 1;
    }
    return x;
}

// Sizes that shrink and grow, so that every call but the first finds a table written by an
// earlier one: long and short blocks, ties, negative stretches, one element.
TEST(ChainAscendKeptTable, EveryCallMatchesTheLiteralSweepBitForBit) {
    std::mt19937_64 rng(113);
    std::uniform_int_distribution<int> pick(0, 4);
    for (int size : {5000, 1, 37, 5000, 2, 800, 12000, 3, 12000}) {
        std::vector<double> v = testdata::gaussian(rng, static_cast<std::size_t>(size));
        for (std::size_t i = 1; i < v.size(); ++i) {
            const int kind = pick(rng);
            if (kind == 0) v[i] = v[i - 1];
            if (kind == 1) v[i] -= 0.5 + 2.0 * i / v.size();
        }
        std::vector<double> x(v.size(), -7.0);
        chainAscend(x.data(), v.data(), size);
        ASSERT_EQ(x, literalAscend(v)) << "n = " << size;
        const std::vector<double> pooled = reference::nonincreasingNonnegativeFit(v);
        for (std::size_t i = 0; i < v.size(); ++i)
            ASSERT_NEAR(x[i], pooled[i], 1e-9) << "n = " << size << " i " << i;
    }
}

}  // namespace
