// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// v = [1.5e308; 1.5e308] as one group, whose length 2.1e308 exceeds the largest double,
// through every tree module of a family: finite answers, against lengths taken by std::hypot.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "tests/gateway/support/tree_modules.hpp"

namespace treemodules {

inline void expectLongGroupAnswers(const std::vector<Shape>& shapes) {
    const double tenth = std::hypot(1.5e307, 1.5e307);  // a tenth of the length
    for (const Shape& shape : shapes) {
        SCOPED_TRACE(shape.name);
        const bool prox = shape.name.find("treeprox") != std::string::npos;
        const bool penalty = shape.name.find("penaltyValue") != std::string::npos;
        // Weights that keep each answer below the largest double.
        const double weight = prox ? 1e308 : penalty ? 0.5 : 10;
        const Arguments arguments(1, 2, {1.5e308, 1.5e308}, {1, 2}, {1, 2, weight}, 1);
        const std::vector<double> got = call(shape, arguments).outputs[0].values();
        if (prox) {
            ASSERT_EQ(got.size(), 2u);
            const double shrunk = 1.5e308 * (1 - 1e307 / tenth);
            for (double x : got) EXPECT_NEAR(x, shrunk, 1e-15 * shrunk);
        } else if (penalty) {
            EXPECT_NEAR(got[0], 5 * tenth, 1e-15 * (5 * tenth));
        } else {
            // The ratio, and the critical factor to its search's relative gap of 1e-10.
            EXPECT_NEAR(got[0], tenth, 2e-10 * tenth);
        }
    }
}

}  // namespace treemodules
