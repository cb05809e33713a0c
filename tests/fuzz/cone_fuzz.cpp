// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// The cone family: element-wise, row-wise and group-wise cone projections.
#include "tests/fuzz/fuzz_call.hpp"

namespace {

using fuzzcall::Call;
using fuzzcall::Decoder;
using fuzzcall::Role;
using mexhost::Array;

// [x, t] = elementCone(v, c, n)
void elementCone(Decoder& in, Call& call) {
    const int n = in.between(0, 24);
    call.add(fuzzcall::plainColumn(in, n), Role::data);
    call.add(fuzzcall::plainColumn(in, n), Role::data);
    call.add(Array::scalar(n), Role::size);
    call.nlhs = in.between(0, 2);
}

// [X, t] = rowCone(V, c, m, n)
void rowCone(Decoder& in, Call& call) {
    const int m = in.between(0, 6), n = in.between(0, 8);
    call.add(fuzzcall::plainMatrix(in, m, n), Role::data);
    call.add(fuzzcall::plainColumn(in, m), Role::data);
    call.add(Array::scalar(m), Role::size);
    call.add(Array::scalar(n), Role::size);
    call.nlhs = in.between(0, 2);
}

// [x, t] = powerShadowVectorR(v, c, b, n, g)
void powerShadowVectorR(Decoder& in, Call& call) {
    const int n = in.between(0, 24);
    int g = 0;
    Array b = fuzzcall::boundaries(in, n, g);
    call.add(fuzzcall::plainColumn(in, n), Role::data);
    call.add(fuzzcall::plainColumn(in, g), Role::data);
    call.add(std::move(b), Role::data);
    call.add(Array::scalar(n), Role::size);
    call.add(Array::scalar(g), Role::size);
    call.nlhs = in.between(0, 2);
}

const std::vector<fuzzcall::Recipe> recipes = {
    {"elementCone", elementCone},
    {"rowCone", rowCone},
    {"powerShadowVectorR", powerShadowVectorR},
};

}  // namespace

SPARSEMEX_FUZZ_FAMILY(recipes)
