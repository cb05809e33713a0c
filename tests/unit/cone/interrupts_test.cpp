// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// Ctrl-C in the cone projections: a long vector, many short rows, and groups that cover the
// vector many times over.
#include <gtest/gtest.h>

#include <vector>

#include "cone/cone.hpp"
#include "tests/support/interrupt_hook.hpp"

namespace {

const int kLength = 200000;

TEST(ConeInterrupts, LongCallsStop) {
    const std::vector<double> v(kLength, 1.0), c(kLength, 0.5);
    std::vector<double> x(kLength), t(kLength);
    EXPECT_EQ(reasonUnderInterrupt(
                  [&] { elementCone(x.data(), t.data(), v.data(), c.data(), kLength); }),
              "interrupted");
    // kLength rows of one element each.
    EXPECT_EQ(reasonUnderInterrupt(
                  [&] { rowCone(x.data(), t.data(), v.data(), c.data(), kLength, 1); }),
              "interrupted");
    // Every other group is the whole vector; those between are empty.
    const int n = 1000, g = 400;
    std::vector<double> b(g + 1);
    for (int k = 0; k <= g; ++k) b[k] = k % 2 == 0 ? 0 : n;
    EXPECT_EQ(reasonUnderInterrupt([&] {
                  powerShadowVectorR(x.data(), t.data(), v.data(), c.data(), b.data(), n, g);
              }),
              "interrupted");
}

}  // namespace
