// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// The tree modules of both families, called with one argument list: the data (a rows-by-cols
// matrix; the vector modules read its first cols elements), the index list G (general
// modules only), the node table and the node count. Lets one test state a rule for every
// module of a family.
#pragma once

#include <string>
#include <vector>

#include "tests/gateway/support/modules.hpp"

namespace treemodules {

struct Shape {
    std::string name;
    bool general;  // takes the index list G
    bool rowWise;  // takes rows and cols
};

inline std::vector<Shape> indexTree() {
    return {{"treeprox", false, false},          {"penaltyValue", false, false},
            {"groupRatioCeiling", false, false}, {"criticalWeight", false, false},
            {"criticalWeight_mt", false, true},  {"treeprox_mt", false, true}};
}

inline std::vector<Shape> generalTree() {
    return {{"general_treeprox", true, false},
            {"general_penaltyValue", true, false},
            {"general_criticalWeight", true, false},
            {"general_treeprox_mt", true, true},
            {"general_criticalWeight_mt", true, true}};
}

struct Arguments {
    mexhost::Array data, rows, cols, G, ind, nodes;

    Arguments(int rowCount, int colCount, const std::vector<double>& values,
              const std::vector<double>& list, const std::vector<double>& table, double count)
        : data(mexhost::Array::matrix(rowCount, colCount, values)),
          rows(mexhost::Array::scalar(rowCount)),
          cols(mexhost::Array::scalar(colCount)),
          G(mexhost::Array::matrix(1, list.size(), list)),
          ind(mexhost::Array::matrix(3, table.size() / 3, table)),
          nodes(mexhost::Array::scalar(count)) {}

    std::vector<const mexhost::Array*> of(const Shape& shape) const {
        std::vector<const mexhost::Array*> list = {&data};
        if (shape.rowWise) list.push_back(&rows);
        list.push_back(&cols);
        if (shape.general) list.push_back(&G);
        list.push_back(&ind);
        list.push_back(&nodes);
        return list;
    }
};

inline mexhost::CallResult call(const Shape& shape, const Arguments& arguments) {
    return modules::get(shape.name).call(1, arguments.of(shape));
}

inline mexhost::HostError expectError(const Shape& shape, const Arguments& arguments,
                                      const std::string& reason) {
    SCOPED_TRACE(shape.name);
    return modules::expectError(modules::get(shape.name), 1, arguments.of(shape),
                                shape.name + ":" + reason);
}

}  // namespace treemodules
