// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// Groups of finite entries whose Euclidean length exceeds the largest double, in both
// indexings. Multiplying by a power of two is exact, so the results on v must be exactly
// 2^600 times (or, for ratios, exactly) those on v / 2^600, where no length overflows; and
// single groups must agree with lengths taken by std::hypot.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <vector>

#include "tests/support/long_units.hpp"
#include "tests/support/tree_penalty.hpp"
#include "tests/unit/treetable/indexing.hpp"

namespace {

using treeindexing::Calls;

TREE_INDEXING_SUITE(LongGroups);

using longunits::expectScaledUp;
using longunits::kUp;
using longunits::times;

// The L1 node, a group {0, 1} whose length is 1.9e308, a group {2, 3} of entries near 1e100
// and the group of all five, still longer than the largest double after the others. Every
// group is either past the largest double or short enough that its squares stay normal at
// both scales, so that both take their lengths the same way.
testtrees::TreePenalty longTree(bool scattered) {
    testtrees::TreePenalty tree{5, true, 1e306,
                                {{{0, 1}, 1e300}, {{2, 3}, 1e100}, {{0, 1, 2, 3, 4}, 1e308}}};
    if (scattered) {
        tree.groups[0].positions = {3, 0};
        tree.groups[1].positions = {2, 1};
    }
    return tree;
}

std::vector<double> longVector(bool scattered) {
    if (scattered) return {1.5e308, 3e100, -4e100, -1.2e308, 7e120};
    return {1.5e308, -1.2e308, 3e100, -4e100, 7e120};
}

TYPED_TEST(LongGroups, GiveTheResultsOfTheDataScaledDown) {
    using C = Calls<TypeParam>;
    const testtrees::TreePenalty tree = longTree(TypeParam::kAnyLists);
    const treeindexing::Table table = TypeParam::tableOf(tree);
    const treeindexing::Table smallTable = TypeParam::tableOf(tree.scaled(1 / kUp));
    const std::vector<double> v = longVector(TypeParam::kAnyLists), small = times(v, longunits::kDown);

    expectScaledUp(C::prox(v, table), C::prox(small, smallTable));
    // Two rows: the vector and its negative, column-major.
    std::vector<double> V, smallV;
    for (double a : v) V.insert(V.end(), {a, -a});
    for (double a : small) smallV.insert(smallV.end(), {a, -a});
    expectScaledUp(C::proxRows(V, 2, 5, table), C::proxRows(smallV, 2, 5, smallTable));

    // The penalty with the table's own weights scales with the data (weights below 1 keep
    // it finite; its L1 sum is past the largest double too); ratios of lengths to weights
    // scaled alike do not change; the critical factor scales with the data.
    testtrees::TreePenalty lightTree = tree;
    lightTree.l1Weight = 0.0625;
    for (testtrees::Group& group : lightTree.groups) group.weight = 0.25;
    const treeindexing::Table light = TypeParam::tableOf(lightTree);
    const double penalty = C::penalty(v, light);
    EXPECT_TRUE(std::isfinite(penalty));
    EXPECT_EQ(penalty, C::penalty(small, light) * kUp);
    const double ratio = C::ratio(v, table);
    EXPECT_EQ(ratio, C::ratio(small, smallTable));
    const double expectedRatio = std::hypot(1.5e307, 1.2e307) / 1e299;
    EXPECT_NEAR(ratio, expectedRatio, 1e-15 * expectedRatio);
    const double critical = C::critical(v, table);
    EXPECT_TRUE(std::isfinite(critical));
    EXPECT_EQ(critical, C::critical(small, table) * kUp);
    EXPECT_EQ(C::criticalRows(V, 2, 5, table), C::criticalRows(smallV, 2, 5, table) * kUp);
}

TYPED_TEST(LongGroups, SingleGroupAgreesWithHypot) {
    using C = Calls<TypeParam>;
    const std::vector<double> v = {1.5e308, 1.5e308};
    // A tenth of the length 2.1e308, which is past the largest double.
    const double tenth = std::hypot(1.5e307, 1.5e307);
    for (double w : {1.0, 1e307, 1e308, 1.7e308}) {
        const std::vector<double> x = C::prox(v, {1, 2, w}, 1);
        for (double a : x)
            EXPECT_NEAR(a, 1.5e308 * (1 - (w / 10) / tenth), 1e-15 * 1.5e308) << w;
    }
    // The penalty is w times the length, finite for w below 0.84.
    for (double w : {1e-300, 0.5, 0.8}) {
        const double penalty = C::penalty(v, {1, 2, w}, 1);
        EXPECT_NEAR(penalty, (w * 10) * tenth, 1e-15 * ((w * 10) * tenth)) << w;
    }
    // The critical factor is length / w, to the search's relative gap of 1e-10.
    for (double w : {2.0, 10.0, 1e300}) {
        const double critical = C::critical(v, {1, 2, w}, 1);
        EXPECT_NEAR(critical, tenth * (10 / w), 2e-10 * (tenth * (10 / w))) << w;
    }
    // A weight of zero leaves a zero term, not infinity times zero; an L1 sum past the
    // largest double still weighs its entries.
    EXPECT_EQ(C::penalty(v, {-1, -1, 0, 1, 2, 0}, 2), 0.0);
    EXPECT_EQ(C::penalty(v, {-1, -1, 0.25}, 1), 0.75e308);
    // A length that still overflows after its weight is an infinite penalty or ratio.
    EXPECT_EQ(C::penalty(v, {1, 2, 1}, 1), treeindexing::kInf);
    EXPECT_EQ(C::ratio(v, {1, 2, 1}, 1), treeindexing::kInf);
}

// Critical factors between half the largest double and the largest double, where doubling
// from the first estimate (1e306, held down by the second group's weight) steps past the
// double range; above it, no finite factor zeroes the vector.
TYPED_TEST(LongGroups, CriticalFactorsNearTheLargestDouble) {
    using C = Calls<TypeParam>;
    const std::vector<double> v = {1e308, 0};
    for (double w : {0.56, 0.6, 0.7, 0.9, 1.1}) {
        const double critical = C::critical(v, {1, 1, w, 2, 2, 100}, 2);
        EXPECT_NEAR(critical, 1e308 / w, 2e-10 * (1e308 / w)) << w;
        // The result zeroes v: the operator at that factor gives zero.
        EXPECT_EQ(C::prox({1e308}, {1, 1, critical * w}, 1)[0], 0.0) << w;
    }
    EXPECT_EQ(C::critical(v, {1, 1, 0.54, 2, 2, 100}, 2), treeindexing::kInf);
}

}  // namespace
