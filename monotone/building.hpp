// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// What the routines that grow a tree share: blocks, roots, the bound on a file's tree, and
// the text of a failed allocation.
#pragma once

#include "support/allocation_failure.hpp"
#include "monotone/monotone.hpp"

// The failure's text when a step of growing a tree cannot have its memory; each step prints
// its own console message (support/allocation_failure.hpp).
constexpr const char* kTreeMemoryFailure = "not enough memory for the tree";

// Plants the root block of the 0-based node rootNode in `root`, with room for `blocks` blocks
// in all.
void plantRootBlock(BlockTree& root, const double* v, int rootNode, std::size_t blocks);

// Plants the root block as plantRootBlock does, then builds the tree below it from the table.
void growTree(BlockTree& root, const treeInfo& table, const double* v, int rootNode,
              long long blocks);

// Builds the tree below the 0-based node rootNode in one walk when the table lists no node
// twice and the root nowhere: below the root, such a table is a tree of at most n blocks,
// and the check that requireBoundedTree makes is needless. Returns false, having built
// nothing, for any other table. Marks the nodes of the table as met.
bool growTreeOfSingleListings(BlockTree& root, treeInfo& table, const double* v, int rootNode);

// Fails unless the table describes, below the 0-based node rootNode, a tree (no node
// reachable from itself) of at most 64 n + 1024 blocks, counting a node listed under several
// parents once per listing. Returns the number of blocks.
long long requireBoundedTree(const treeInfo& table, int rootNode, const char* fileName);
