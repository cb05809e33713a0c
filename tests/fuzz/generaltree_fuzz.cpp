// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// The general index-tree family: groups as slices of an index list.
#include "tests/fuzz/fuzz_call.hpp"

namespace fuzzcall {
namespace {

// The positions 1..n in a random order; a range tree over the list makes groups that are
// nested or disjoint as sets of positions.
Array shuffledPositions(Decoder& in, int n) {
    std::vector<double> list(n);
    for (int k = 0; k < n; ++k) list[k] = k + 1;
    for (int k = n - 1; k > 0; --k) std::swap(list[k], list[in.below(k + 1)]);
    return Array::matrix(1, list.size(), list);
}

void addTree(Decoder& in, Call& call, int n) {
    int nodes = 0;
    Array G = shuffledPositions(in, n);
    Array ind = rangeTree(in, n, true, nodes);
    call.add(std::move(G), Role::data);
    call.add(std::move(ind), Role::data);
    call.add(Array::scalar(nodes), Role::size);
}

// module(v, n, G, ind, nodes)
void vectorCall(Decoder& in, Call& call) {
    const int n = in.between(1, 20);
    addColumn(in, call, n);
    addTree(in, call, n);
}

// module(V, rows, cols, G, ind, nodes)
void rowsCall(Decoder& in, Call& call) {
    const int rows = in.between(0, 5), cols = in.between(1, 12);
    addMatrix(in, call, rows, cols);
    addTree(in, call, cols);
}

const std::vector<Recipe> recipes = {
    {"general_treeprox", vectorCall},        {"general_penaltyValue", vectorCall},
    {"general_criticalWeight", vectorCall},  {"general_treeprox_mt", rowsCall},
    {"general_criticalWeight_mt", rowsCall},
};

}  // namespace
}  // namespace fuzzcall

SPARSEMEX_FUZZ_FAMILY(fuzzcall::recipes)
