// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// The chain family: fits to an increasing or decreasing order along a chain.
#include "tests/fuzz/fuzz_call.hpp"

namespace fuzzcall {
namespace {

const std::vector<Recipe> recipes = {
    {"chainAscend", columnCall},
    {"chainDescend", columnCall},
};

}  // namespace
}  // namespace fuzzcall

SPARSEMEX_FUZZ_FAMILY(fuzzcall::recipes)
