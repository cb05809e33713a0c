// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// The index-tree family: proximal operator, penalty, bound and critical weight.
#include "tests/fuzz/fuzz_call.hpp"

namespace fuzzcall {
namespace {

// module(v, n, ind, nodes); the bound reads no L1 node.
void vectorCall(Decoder& in, Call& call, bool allowL1) {
    const int n = in.between(1, 20);
    int nodes = 0;
    Array ind = rangeTree(in, n, allowL1, nodes);
    addColumn(in, call, n);
    call.add(std::move(ind), Role::data);
    call.add(Array::scalar(nodes), Role::size);
}

// module(V, rows, cols, ind, nodes): the tree indexes the columns of every row.
void rowsCall(Decoder& in, Call& call) {
    const int rows = in.between(0, 5), cols = in.between(1, 12);
    int nodes = 0;
    Array ind = rangeTree(in, cols, true, nodes);
    addMatrix(in, call, rows, cols);
    call.add(std::move(ind), Role::data);
    call.add(Array::scalar(nodes), Role::size);
}

void withL1(Decoder& in, Call& call) { vectorCall(in, call, true); }
void withoutL1(Decoder& in, Call& call) { vectorCall(in, call, false); }

const std::vector<Recipe> recipes = {
    {"treeprox", withL1},         {"penaltyValue", withL1},    {"groupRatioCeiling", withoutL1},
    {"criticalWeight", withL1},   {"treeprox_mt", rowsCall},   {"criticalWeight_mt", rowsCall},
};

}  // namespace
}  // namespace fuzzcall

SPARSEMEX_FUZZ_FAMILY(fuzzcall::recipes)
