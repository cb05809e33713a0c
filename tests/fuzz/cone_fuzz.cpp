// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// The cone family: element-wise, row-wise and group-wise cone projections.
#include "tests/fuzz/fuzz_call.hpp"

namespace fuzzcall {
namespace {

// [x, t] = elementCone(v, c, n)
void elementCone(Decoder& in, Call& call) {
    const int n = in.between(0, 24);
    call.add(plainColumn(in, n), Role::data);
    addColumn(in, call, n);
    call.nlhs = in.between(0, 2);
}

// [X, t] = rowCone(V, c, m, n)
void rowCone(Decoder& in, Call& call) {
    const int m = in.between(0, 6), n = in.between(0, 8);
    call.add(plainMatrix(in, m, n), Role::data);
    addColumn(in, call, m);
    call.add(Array::scalar(n), Role::size);
    call.nlhs = in.between(0, 2);
}

// [x, t] = powerShadowVectorR(v, c, b, n, g)
void powerShadowVectorR(Decoder& in, Call& call) {
    const int n = in.between(0, 24);
    int g = 0;
    Array b = boundaries(in, n, g);
    call.add(plainColumn(in, n), Role::data);
    call.add(plainColumn(in, g), Role::data);
    call.add(std::move(b), Role::data);
    call.add(Array::scalar(n), Role::size);
    call.add(Array::scalar(g), Role::size);
    call.nlhs = in.between(0, 2);
}

const std::vector<Recipe> recipes = {
    {"elementCone", elementCone},
    {"rowCone", rowCone},
    {"powerShadowVectorR", powerShadowVectorR},
};

}  // namespace
}  // namespace fuzzcall

SPARSEMEX_FUZZ_FAMILY(fuzzcall::recipes)
