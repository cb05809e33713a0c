// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// Ctrl-C during the L1-ball projection reaches the caller as "simplexShadow:interrupted",
// never as an exception out of the module.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "tests/gateway/support/interrupts.hpp"
#include "tests/support/random.hpp"

namespace {

using mexhost::Array;

TEST(SimplexShadowModule, AnswersAnInterrupt) {
    const int length = 200000;
    std::mt19937_64 rng(3);
    const Array v = Array::column(testdata::gaussian(rng, length));
    const Array n = Array::scalar(length), z = Array::scalar(1), lambda0 = Array::scalar(0);
    modules::expectInterrupted("simplexShadow", 3, {&v, &n, &z, &lambda0});
}

}  // namespace
