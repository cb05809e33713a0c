// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// A call of a module x = module(v, n) (mex/vector_fit_gateway.hpp) that succeeds.
#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "tests/gateway/support/modules.hpp"

namespace modules {

// Fits the first n values of v: expects the n-by-1 column `fit`, nothing printed and v as it
// was.
inline void expectFit(const mexhost::Module& module, const mexhost::Array& v, double n,
                      const std::vector<double>& fit) {
    const mexhost::Array before = v.copy();
    const mexhost::Array count = mexhost::Array::scalar(n);
    const mexhost::CallResult result = module.call(1, {&v, &count});
    ASSERT_EQ(result.outputs.size(), 1u);
    EXPECT_EQ(result.outputs[0].rows(), fit.size());
    EXPECT_EQ(result.outputs[0].cols(), 1u);
    EXPECT_EQ(result.outputs[0].values(), fit);
    EXPECT_EQ(result.printed, "");
    EXPECT_TRUE(v.sameAs(before));
}

}  // namespace modules
