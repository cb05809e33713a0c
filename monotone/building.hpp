// What the routines that grow a tree share: blocks, roots, the bound on a file's tree, and
// the reporting of a failed allocation.
#pragma once

#include <new>

#include "host/console.hpp"
#include "host/routine_failure.hpp"
#include "monotone/monotone.hpp"

// A new block holding the single node `node` with mean `value`. Throws std::bad_alloc.
TreeBlock* newBlock(int node, double value);

// Allocates the root block of the 0-based node rootNode into `root`, then builds the tree
// below it from the table.
void growTree(OwnedTree& root, const treeInfo& table, const double* v, int rootNode);

// Fails unless the table describes, below the 0-based node rootNode, a tree (no node
// reachable from itself) of at most 64 n + 1024 blocks, counting a node listed under several
// parents once per listing.
void requireBoundedTree(const treeInfo& table, int rootNode, const char* fileName);

// Runs `step`; a failed allocation prints `consoleMessage` and fails the call.
template <class Step>
void reportingAllocationFailure(const char* consoleMessage, Step&& step) {
    try {
        step();
    } catch (const std::bad_alloc&) {
        consolePrintf("%s", consoleMessage);
        throw RoutineFailure("outOfMemory", "not enough memory for the tree");
    }
}
