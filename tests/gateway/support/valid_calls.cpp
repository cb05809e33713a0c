// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
#include "tests/gateway/support/valid_calls.hpp"

#include <stdexcept>
#include <utility>

#include "tests/support/tree_files.hpp"

namespace validcalls {

namespace {

using mexhost::Array;

Argument data(std::vector<double> values, int rows = 0, int cols = 1) {
    return Argument{Kind::data, std::move(values), rows, cols};
}
Argument table(std::vector<double> values, int rows, int cols) {
    return Argument{Kind::table, std::move(values), rows, cols};
}
Argument size(double value) { return Argument{Kind::size, {value}}; }
Argument scalar(double value) { return Argument{Kind::scalar, {value}}; }
Argument text() { return Argument{Kind::text, {}}; }

const std::vector<double> kV3 = {3, -1, 0.5};
const std::vector<double> kV4 = {3, -1, 0.5, 2};
const std::vector<double> kM23 = {3, -1, 0.5, 2, 1, -4};  // 2 by 3
const std::vector<double> kRoot3 = {1, 3, 1};             // one group of three, weight 1
const std::vector<double> kOrder3 = {3, 1, 2};            // an index list of three positions

// A tree on the nodes 1..3 for the modules that read a description file: 1 above 2 and 3.
const testdata::TempFile& descriptionFile() {
    static const testdata::TempFile file("1 2 2 3\n");
    return file;
}

}  // namespace

const std::vector<ValidCall>& all() {
    static const std::vector<ValidCall> calls = {
        {"chainAscend", 1, {data(kV3), size(3)}},
        {"chainDescend", 1, {data(kV3), size(3)}},
        {"elementCone", 2, {data({3, -1}), data({1, 2}), size(2)}},
        {"rowCone", 2, {data(kM23, 2, 3), data({1, 2}), size(2), size(3)}},
        {"powerShadowVectorR", 2,
         {data(kV4), data({1, 2}), table({0, 2, 4}, 1, 3), size(4), size(2)}},
        {"criticalWeight", 1, {data(kV3), size(3), table(kRoot3, 3, 1), size(1)}},
        {"groupRatioCeiling", 1, {data(kV3), size(3), table(kRoot3, 3, 1), size(1)}},
        {"penaltyValue", 1, {data(kV3), size(3), table(kRoot3, 3, 1), size(1)}},
        {"treeprox", 1, {data(kV3), size(3), table(kRoot3, 3, 1), size(1)}},
        {"criticalWeight_mt", 1,
         {data(kM23, 2, 3), size(2), size(3), table(kRoot3, 3, 1), size(1)}},
        {"treeprox_mt", 1, {data(kM23, 2, 3), size(2), size(3), table(kRoot3, 3, 1), size(1)}},
        {"general_criticalWeight", 1,
         {data(kV3), size(3), table(kOrder3, 1, 3), table(kRoot3, 3, 1), size(1)}},
        {"general_penaltyValue", 1,
         {data(kV3), size(3), table(kOrder3, 1, 3), table(kRoot3, 3, 1), size(1)}},
        {"general_treeprox", 1,
         {data(kV3), size(3), table(kOrder3, 1, 3), table(kRoot3, 3, 1), size(1)}},
        {"general_criticalWeight_mt", 1,
         {data(kM23, 2, 3), size(2), size(3), table(kOrder3, 1, 3), table(kRoot3, 3, 1),
          size(1)}},
        {"general_treeprox_mt", 1,
         {data(kM23, 2, 3), size(2), size(3), table(kOrder3, 1, 3), table(kRoot3, 3, 1),
          size(1)}},
        {"isoHier", 1, {text(), data(kV3), scalar(1), size(3)}},
        {"isoHier_without_nonnegative", 1, {text(), data(kV3), scalar(1), size(3)}},
        {"isoHierBinary", 1, {data(kV3), size(3)}},
        {"isoHierDepth1", 1, {data(kV3), size(3)}},
        {"precisionLasso", 2,
         {data({0, 0, 0, 0}, 2, 2), data({0, 0, 0, 0}, 2, 2), data({2, 0, 0, 4}, 2, 2), scalar(0),
          scalar(0), size(2), scalar(100), scalar(-1), scalar(1e-12), scalar(10),
          scalar(1e-12)}},
        {"mixedShadow", 3, {data(kM23, 2, 3), size(2), size(3), scalar(1), scalar(0)}},
        {"powerShadow", 3, {data(kV3), size(3), scalar(1), scalar(2), scalar(0)}},
        {"powerShadowMatrix", 1, {data(kM23, 2, 3), size(2), size(3), scalar(1), scalar(2)}},
        {"powerShadowVector", 1,
         {data(kV4), table({0, 2, 4}, 1, 3), size(2), size(4), table({1, 1}, 2, 1), scalar(2)}},
        {"simplexShadow", 3, {data(kV3), size(3), scalar(1), scalar(0)}},
        {"twoLevelShadow", 2,
         {data(kM23, 2, 3), size(2), size(3), scalar(0.5), scalar(0.5), scalar(1)}},
    };
    return calls;
}

const ValidCall& of(const std::string& module) {
    for (const ValidCall& call : all())
        if (call.module == module) return call;
    throw std::runtime_error("no valid call of " + module);
}

Array arrayOf(const Argument& argument) {
    switch (argument.kind) {
        case Kind::text: return Array::text(descriptionFile().path());
        case Kind::size:
        case Kind::scalar: return Array::scalar(argument.values[0]);
        default:
            return argument.rows == 0
                       ? Array::column(argument.values)
                       : Array::matrix(argument.rows, argument.cols, argument.values);
    }
}

}  // namespace validcalls
