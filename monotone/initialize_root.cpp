// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// The tree of a description file below a chosen root.
#include <string>

#include "monotone/building.hpp"

void initializeRoot(BlockTree& root, const char* fileName, const double* v, int rootNumber, int n) {
    // The table is released when this returns, on every path.
    treeInfo table;
    readFromFile(fileName, table, n);
    // Checked after reading, so that a faulty file is reported first.
    if (rootNumber > n || rootNumber < 1) {
        consolePrintf("\n The node number of the root should be between [1, %d]!", n);
        throw RoutineFailure(reason::rootOutOfRange, "the root node number " +
                                                         std::to_string(rootNumber) +
                                                         " is outside 1.." + std::to_string(n));
    }
    // Most files list every node once, and their tree needs no check; the others are checked
    // for cycles and size first.
    const int rootNode = rootNumber - 1;
    if (growTreeOfSingleListings(root, table, v, rootNode)) return;
    const long long blocks = requireBoundedTree(table, rootNode, fileName);
    growTree(root, table, v, rootNode, blocks);
}
