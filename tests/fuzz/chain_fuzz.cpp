// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// The chain family: fits to an increasing or decreasing order along a chain.
#include "tests/fuzz/fuzz_call.hpp"

namespace fuzzcall {
namespace {

// x = module(v, n)
void chainCall(Decoder& in, Call& call) {
    const int n = in.between(0, 48);
    addColumn(in, call, n);
}

const std::vector<Recipe> recipes = {
    {"chainAscend", chainCall},
    {"chainDescend", chainCall},
};

}  // namespace
}  // namespace fuzzcall

SPARSEMEX_FUZZ_FAMILY(fuzzcall::recipes)
