// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// Ctrl-C during the cone projections reaches the caller as "<module>:interrupted", never as an
// exception out of the module.
#include <gtest/gtest.h>

#include <vector>

#include "tests/gateway/support/interrupts.hpp"

namespace {

using mexhost::Array;

const int kLength = 200000;

TEST(ConeModules, AnswerAnInterrupt) {
    const Array v = Array::column(std::vector<double>(kLength, 1.0));
    const Array c = Array::column(std::vector<double>(kLength, 0.5));
    const Array n = Array::scalar(kLength), one = Array::scalar(1);
    modules::expectInterrupted("elementCone", 2, {&v, &c, &n});
    modules::expectInterrupted("rowCone", 2, {&v, &c, &n, &one});
    const Array b = Array::column({0, kLength});
    modules::expectInterrupted("powerShadowVectorR", 2, {&v, &c, &b, &n, &one});
}

}  // namespace
