// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// A fit takes the block storage that the previous one left, full of its blocks: every fit
// must still match the literal recursive pooling bit for bit, whichever tree came before.
#include "tests/support/random.hpp"
#include "tests/unit/monotone/tree_test_support.hpp"

namespace {

TEST(KeptChunk, FitsOfGrowingAndShrinkingTreesReuseStorageUnchanged) {
    std::mt19937_64 rng(131);
    // Wide (star), shallow (heap), deep and branching (random recursive, a path) trees, each
    // size served by the storage of a larger or a smaller tree before it.
    const int sizes[] = {4000, 7, 12000, 1, 300, 12000, 2500};
    for (int round = 0; round < 7; ++round) {
        const int n = sizes[round];
        const std::vector<double> v = testdata::gaussian(rng, static_cast<std::size_t>(n));
        const testdata::Children tree = round % 3 == 0   ? testdata::star(n)
                                        : round % 3 == 1 ? testdata::balancedBinary(n)
                                        : round == 2     ? testdata::path(n)
                                                         : testdata::randomRecursive(rng, n);
        std::vector<double> expected(v.size());
        reference::literalTreeFit(expected, tree, v, 0, true);
        std::vector<double> x(v.size(), -9.0);
        if (round % 3 == 0) isoHierDepth1(x.data(), v.data(), n);
        if (round % 3 == 1) isoHierBinary(x.data(), v.data(), n);
        if (round % 3 == 2) x = treetest::fitFromFile(tree, v, 0, true);
        ASSERT_TRUE(treetest::sameBits(x, expected)) << "round " << round << " n " << n;
    }
}

}  // namespace
