// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// The measures on scattered slices, positions listed twice and positions no slice lists;
// the properties both indexings share are tested in tests/unit/treetable/.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "generaltree/generaltree.hpp"

namespace {

const double kInf = std::numeric_limits<double>::infinity();

// One of the routines that return a value through their first argument.
template <class Routine>
double valueOf(Routine routine, const std::vector<double>& x, const std::vector<double>& G,
               const std::vector<double>& ind, int nodes) {
    double value = -7;
    routine(&value, x.data(), static_cast<int>(x.size()), G.data(), ind.data(), nodes);
    return value;
}

double penalty(const std::vector<double>& x, const std::vector<double>& G,
               const std::vector<double>& ind, int nodes) {
    return valueOf(general_penaltyValue, x, G, ind, nodes);
}

double ratio(const std::vector<double>& x, const std::vector<double>& G,
             const std::vector<double>& ind, int nodes) {
    return valueOf(general_groupRatioCeiling, x, G, ind, nodes);
}

double critical(const std::vector<double>& v, const std::vector<double>& G,
                const std::vector<double>& ind, int nodes) {
    return valueOf(general_criticalWeight, v, G, ind, nodes);
}

TEST(GeneralPenaltyValue, WorkedExamples) {
    EXPECT_EQ(penalty({3, 0, 4}, {1, 3}, {1, 2, 2}, 1), 10.0);
    EXPECT_EQ(penalty({3, 4}, {1, 1}, {1, 2, 1}, 1), std::sqrt(18.0));   // 3 counted twice
    EXPECT_EQ(penalty({3, -4, 1}, {2}, {-1, -1, 2, 1, 1, 3}, 2), 28.0);  // 2*8 + 3*4
}

TEST(GeneralGroupRatioCeiling, LargestRatioWithTheL1NodeAsSingletons) {
    EXPECT_EQ(ratio({3, 0, 4}, {1, 3, 2}, {1, 2, 1, 3, 3, 1}, 2), 5.0);
    EXPECT_EQ(ratio({3, 0, 4}, {1, 3}, {-1, -1, 0.5, 1, 2, 1}, 2), 8.0);
    EXPECT_EQ(ratio({3, 0, 4}, {2}, {1, 1, 0}, 1), 0.0);  // 0/0 passed over
    EXPECT_EQ(ratio({3, 0, 4}, {1}, {1, 1, 0}, 1), kInf);
    EXPECT_EQ(ratio({3, 0, 4}, {}, {}, 0), 0.0);
}

TEST(GeneralCriticalWeight, WorkedExampleAndDecidedAnswers) {
    EXPECT_EQ(critical({3, 0, 4}, {1, 3}, {1, 2, 1}, 1), 5.0);
    EXPECT_EQ(critical({0, 0}, {1}, {1, 1, 1}, 1), 0.0);
    EXPECT_EQ(critical({}, {}, {1, 0, 1}, 1), 0.0);
    // Position 2 is listed by no slice: nothing zeroes it.
    EXPECT_EQ(critical({3, 1, 4}, {1, 3}, {1, 2, 1}, 1), kInf);
    EXPECT_EQ(critical({3, 1, 4}, {1, 2, 3}, {1, 3, 0}, 1), kInf);
}

}  // namespace
