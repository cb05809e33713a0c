// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// Rules of the index list and the node table that every general index-tree module follows.
#include <gtest/gtest.h>

#include <limits>

#include "tests/gateway/support/tree_modules.hpp"

namespace {

using treemodules::Arguments;

const double kNan = std::numeric_limits<double>::quiet_NaN();
const std::vector<double> kData = {3, -1, 4, 0.5, -2, 6};  // 2 rows, 3 columns

TEST(GeneralTreeTable, ValidTablesWork) {
    // Scattered and overlapping groups, a position listed twice, an empty slice that points
    // past G, and an L1 node; entries of G that no slice lists are never read.
    const Arguments valid(2, 3, kData, {3, 1, 2.9, 3, 3, kNan},
                          {-1, -1, 0.1, 1, 2, 0.5, 3, 5, 1, 9, 2, 1}, 4);
    for (const treemodules::Shape& shape : treemodules::generalTree())
        EXPECT_NO_THROW(treemodules::call(shape, valid)) << shape.name;
}

TEST(GeneralTreeTable, SlicesOutsideGAreRejectedNamingTheNode) {
    for (const treemodules::Shape& shape : treemodules::generalTree()) {
        const mexhost::HostError error = treemodules::expectError(
            shape, Arguments(2, 3, kData, {1, 2}, {1, 1, 1, 2, 3, 1}, 2), "sliceOutOfRange");
        EXPECT_NE(std::string(error.what()).find("ind(:,2) lists G(2) to G(3)"), std::string::npos)
            << error.what();
        treemodules::expectError(shape, Arguments(2, 3, kData, {1, 2}, {0, 1, 1}, 1),
                                 "sliceOutOfRange");
        treemodules::expectError(shape, Arguments(2, 3, kData, {}, {1, 1, 1}, 1),
                                 "sliceOutOfRange");
        treemodules::expectError(shape, Arguments(2, 3, kData, {1, 2}, {kNan, 1, 1}, 1),
                                 "nodeOutOfRange");
    }
}

// A slice whose positions are a strict subset of an earlier slice's is refused where the
// result depends on the order, naming both; slices that partly overlap are taken as they are.
TEST(GeneralTreeTable, NodeAfterItsContainerIsRefusedWhereTheOrderMatters) {
    // {3, 1} and then {1} (listed twice, a subset all the same).
    const Arguments rootFirst(2, 3, kData, {3, 1, 1, 1}, {1, 2, 1, 3, 4, 0.5}, 2);
    // {1, 2}, {2, 3}, then {2}: inside both, but the first two overlap.
    const Arguments overlapping(2, 3, kData, {1, 2, 2, 3, 2}, {1, 2, 1, 3, 4, 1, 5, 5, 1}, 3);
    for (const treemodules::Shape& shape : treemodules::generalTree()) {
        EXPECT_NO_THROW(treemodules::call(shape, overlapping)) << shape.name;
        if (shape.name == "general_penaltyValue") {
            EXPECT_NO_THROW(treemodules::call(shape, rootFirst)) << shape.name;
            continue;
        }
        const std::string what = shape.rowWise ? "columns" : "positions";
        const mexhost::HostError error = treemodules::expectError(shape, rootFirst, "nodeOrder");
        EXPECT_NE(std::string(error.what())
                      .find("node ind(:,2) (G(3) to G(4)) lists only " + what +
                            " of node ind(:,1) (G(1) to G(2)), which is listed before it"),
                  std::string::npos)
            << error.what();
    }
}

// A matrix without rows may have 2^31 - 1 columns: the check marks only the positions that
// the slices list, and still finds {1} listed after {1, 2}.
TEST(GeneralTreeTable, OrderCheckTakesNoMemoryOfTheColumnCount) {
    const Arguments noRows(0, 2147483647, {}, {1, 2, 1}, {1, 2, 1, 3, 3, 1}, 2);
    for (const treemodules::Shape& shape : treemodules::generalTree())
        if (shape.rowWise) treemodules::expectError(shape, noRows, "nodeOrder");
}

TEST(GeneralTreeTable, PositionsOutsideTheVectorAreRejected) {
    for (const treemodules::Shape& shape : treemodules::generalTree()) {
        for (double bad : {0.0, 0.5, -1.0, 4.0, kNan, 1e10}) {
            const mexhost::HostError error = treemodules::expectError(
                shape, Arguments(2, 3, kData, {1, bad}, {1, 2, 1}, 1), "positionOutOfRange");
            EXPECT_NE(std::string(error.what()).find("ind(:,1) lists G(2)"), std::string::npos)
                << error.what();
        }
    }
}

TEST(GeneralTreeTable, TableAndListArgumentsAreChecked) {
    for (const treemodules::Shape& shape : treemodules::generalTree()) {
        treemodules::expectError(shape, Arguments(2, 3, kData, {1}, {1, 1, 1}, 2),
                                 "tooFewElements");
        treemodules::expectError(shape, Arguments(2, 3, kData, {1}, {}, 0), "tooFewElements");
        const mexhost::HostError error = treemodules::expectError(
            shape, Arguments(2, 3, kData, {1}, {-1, 0, 1}, 1), "badL1Node");
        EXPECT_EQ(error.printed(), "\n Error! \n Check ind");
    }
}

}  // namespace
