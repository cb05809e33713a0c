// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// The chain family: fits to an increasing or decreasing order along a chain.
#include "tests/fuzz/fuzz_call.hpp"

namespace {

using fuzzcall::Call;
using fuzzcall::Decoder;
using fuzzcall::Role;
using mexhost::Array;

// x = module(v, n)
void chainCall(Decoder& in, Call& call) {
    const int n = in.between(0, 48);
    call.add(fuzzcall::plainColumn(in, n), Role::data);
    call.add(Array::scalar(n), Role::size);
}

const std::vector<fuzzcall::Recipe> recipes = {
    {"chainAscend", chainCall},
    {"chainDescend", chainCall},
};

}  // namespace

SPARSEMEX_FUZZ_FAMILY(recipes)
