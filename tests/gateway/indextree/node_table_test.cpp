// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// Rules of the node table that every index-tree module follows.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "tests/gateway/support/tree_modules.hpp"

namespace {

using treemodules::Arguments;

const double kNan = std::numeric_limits<double>::quiet_NaN();
const std::vector<double> kData = {3, -1, 4, 0.5, -2, 6};  // 2 rows, 3 columns

TEST(IndexTreeTable, ValidTablesWork) {
    // Nested ranges with an L1 node, and a node whose end is below its start (it covers
    // nothing, wherever it lies).
    const Arguments valid(2, 3, kData, {}, {-1, -1, 0.1, 1, 2, 0.5, 9, 4, 1, 1, 3, 1}, 4);
    for (const treemodules::Shape& shape : treemodules::indexTree())
        EXPECT_NO_THROW(treemodules::call(shape, valid)) << shape.name;
}

TEST(IndexTreeTable, RangesOutsideTheVectorAreRejectedNamingTheNode) {
    for (const treemodules::Shape& shape : treemodules::indexTree()) {
        const std::string what = shape.rowWise ? "columns" : "positions";
        mexhost::HostError error = treemodules::expectError(
            shape, Arguments(2, 3, kData, {}, {1, 1, 1, 0, 3, 1}, 2), "nodeOutOfRange");
        EXPECT_NE(std::string(error.what()).find("ind(:,2) covers " + what + " 0 to 3"),
                  std::string::npos)
            << error.what();
        treemodules::expectError(shape, Arguments(2, 3, kData, {}, {2, 4, 1}, 1), "nodeOutOfRange");
        // Only node 0 can be the L1 node; elsewhere -1 is a position before the vector.
        treemodules::expectError(shape, Arguments(2, 3, kData, {}, {1, 3, 1, -1, -1, 1}, 2),
                                 "nodeOutOfRange");
        for (double bad : {kNan, 1e10, -1e10})
            treemodules::expectError(shape, Arguments(2, 3, kData, {}, {1, bad, 1}, 1),
                                     "nodeOutOfRange");
    }
}

// Where the result depends on the order of the nodes, a range listed after a range that
// strictly contains it is refused, naming both; the penalty value and the ratio bound do not
// depend on it. Ranges that merely overlap may come in any order.
TEST(IndexTreeTable, NodeAfterItsContainerIsRefusedWhereTheOrderMatters) {
    const Arguments rootFirst(2, 3, kData, {}, {-1, -1, 0.1, 1, 3, 1, 2, 3, 0.5}, 3);
    const Arguments overlapping(2, 3, kData, {}, {2, 3, 0.5, 1, 2, 1}, 2);
    for (const treemodules::Shape& shape : treemodules::indexTree()) {
        EXPECT_NO_THROW(treemodules::call(shape, overlapping)) << shape.name;
        if (shape.name == "penaltyValue" || shape.name == "groupRatioCeiling") {
            EXPECT_NO_THROW(treemodules::call(shape, rootFirst)) << shape.name;
            continue;
        }
        const std::string what = shape.rowWise ? "columns" : "positions";
        const mexhost::HostError error = treemodules::expectError(shape, rootFirst, "nodeOrder");
        EXPECT_NE(std::string(error.what())
                      .find("node ind(:,3) (" + what + " 2 to 3) lies inside node ind(:,2) (" +
                            what + " 1 to 3), which is listed before it"),
                  std::string::npos)
            << error.what();
    }
}

TEST(IndexTreeTable, TooShortOrEmptyTablesAreRejected) {
    for (const treemodules::Shape& shape : treemodules::indexTree()) {
        treemodules::expectError(shape, Arguments(2, 3, kData, {}, {1, 3, 1}, 2), "tooFewElements");
        // Node 0 is read even when nodes is 0, except by the group-ratio bound.
        const Arguments empty(2, 3, kData, {}, {}, 0);
        if (shape.name == "groupRatioCeiling")
            EXPECT_EQ(treemodules::call(shape, empty).outputs[0].values(),
                      (std::vector<double>{0}));
        else
            treemodules::expectError(shape, empty, "tooFewElements");
    }
}

TEST(IndexTreeTable, BadL1NodePrintsThenRaises) {
    for (const treemodules::Shape& shape : treemodules::indexTree()) {
        const mexhost::HostError error =
            treemodules::expectError(shape, Arguments(2, 3, kData, {}, {-1, 3, 1}, 1), "badL1Node");
        EXPECT_EQ(error.printed(), "\n Error! \n Check ind");
    }
}

// A size that is not a number at all is named as such, not as a negative one.
TEST(IndexTreeTable, SizesThatAreNotNumbersAreNamed) {
    for (const treemodules::Shape& shape : treemodules::indexTree()) {
        for (double bad : {kNan, std::numeric_limits<double>::infinity()}) {
            const std::string message =
                treemodules::expectError(shape, Arguments(2, 3, kData, {}, {1, 3, 1}, bad),
                                         "negativeSize")
                    .what();
            EXPECT_NE(message.find(std::isnan(bad) ? "but it is NaN" : "but it is Inf"),
                      std::string::npos)
                << message;
        }
    }
}

TEST(IndexTreeTable, DataShorterThanItsSizesIsRejected) {
    for (const treemodules::Shape& shape : treemodules::indexTree()) {
        Arguments tooLong(2, 3, kData, {}, {1, 3, 1}, 1);
        tooLong.cols = mexhost::Array::scalar(7);
        treemodules::expectError(shape, tooLong, "tooFewElements");
    }
}

}  // namespace
