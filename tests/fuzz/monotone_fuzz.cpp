// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// The ordered-tree family: fits to a tree read from a description file, or to a shape.
#include "tests/fuzz/fuzz_call.hpp"

namespace fuzzcall {
namespace {

// x = module(fileName, v, rootNumber, n)
void fileTree(Decoder& in, Call& call) {
    const int n = in.between(1, 30);
    int root = 1;
    call.fileText = descriptionFile(in, n, root);
    call.hasFile = true;
    call.add(Array::text(descriptionPath()), Role::text);
    call.add(plainColumn(in, n), Role::data);
    call.add(Array::scalar(root), Role::parameter);
    call.add(Array::scalar(n), Role::size);
}

const std::vector<Recipe> recipes = {
    {"isoHier", fileTree},
    {"isoHier_without_nonnegative", fileTree},
    {"isoHierBinary", columnCall},
    {"isoHierDepth1", columnCall},
};

}  // namespace
}  // namespace fuzzcall

SPARSEMEX_FUZZ_FAMILY(fuzzcall::recipes)
