// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// Ordered-tree fitting: monotone fits over a tree order by maximal-mean pooling.
//
// Given a value v[i] on every node of a rooted tree, the fit x is constant on blocks of
// connected nodes, takes on each block the mean of its values, and never increases along a
// path from the root down. The tree comes from a description file (isoHier) or from a shape
// implied by n (isoHierBinary, isoHierDepth1).
//
// Routines take their outputs first, then inputs, then sizes and parameters. Nodes are
// 0-based in memory and 1-based in files and root arguments. A routine that cannot deliver
// prints the console message that goes with the failure, if any, and throws RoutineFailure;
// every path releases what it obtained (the tree through BlockTree, the file through its
// handle).
#pragma once

#include <cstddef>
#include <memory>
#include <utility>
#include <vector>

#include "host/kept_storage.hpp"

// The children of one node as listed in a description, in the listed order.
struct NodeInfo {
    int childCount = 0;      // 0 for a leaf
    std::size_t offset = 0;  // position of the first child in treeInfo::children
};

// The child table of nodes 0..n-1. The children of every record live in one array, so a
// table of a million nodes costs two allocations rather than a million.
struct treeInfo {
    std::vector<NodeInfo> nodes;
    std::vector<int> children;

    const int* childrenOf(int node) const { return children.data() + nodes[node].offset; }
};

struct IndexItem {
    int index;            // a 0-based node
    IndexItem* nextItem;  // null at the end of the block's node list
};

// One block of the in-memory tree: a single node when built, a pool of nodes sharing one
// fitted value after pooling.
struct TreeBlock {
    unsigned done;           // 1 once the block's pooling is final
    int num;                 // number of nodes in the block (next to done: no padding)
    double m;                // mean of the values of the block's nodes
    TreeBlock* nextSibling;  // next block in the parent's child list
    TreeBlock* firstChild;   // first block of this block's child list
    IndexItem* head;         // first and last item of the node list
    IndexItem* tail;

    // So that a merge unlinks a child and hands its children over without walking lists.
    TreeBlock* previousSibling;
    TreeBlock* lastChild;

    // The pooling's heap of this block's children (monotone/child_heap.hpp): its root, and
    // bounds on the ranks that order the child list.
    TreeBlock* childHeap;
    long long firstRank;
    long long lastRank;
    // This block's place in its parent's heap: its rank in the parent's child list, a shift
    // still to be added to the ranks of both its subheaps, the subheaps, and the length of
    // the right spine below it.
    long long rank;
    long long pendingShift;
    TreeBlock* heapLeft;
    TreeBlock* heapRight;
    int heapDistance;
};

// The in-memory tree: its root block, and the storage of all its blocks and index items.
// They are made in large chunks and released all together, by deleteTree or when the tree
// goes; one or two allocations per node would cost more than the whole fit.
class BlockTree {
public:
    BlockTree() = default;
    BlockTree(BlockTree&& other) noexcept { *this = std::move(other); }
    BlockTree& operator=(BlockTree&& other) noexcept;

    TreeBlock* get() const { return root_; }
    TreeBlock* operator->() const { return root_; }

    // A fresh block holding the single node `node` with mean `value`; std::bad_alloc when
    // memory runs out. plantRoot makes it the root of an empty tree.
    TreeBlock* newBlock(int node, double value);
    TreeBlock* plantRoot(int node, double value);

    // Room for `blocks` more blocks in one chunk, when the count is known in advance.
    void reserve(std::size_t blocks);

    // Frees every block and item; the tree is empty afterwards.
    void release();

    // Frees the storage kept for the next tree (host/kept_storage.hpp).
    static void releaseKeptStorage() { keptChunk_.release(); }

private:
    // A block and the index item of its node, made together.
    struct Planting {
        TreeBlock block;
        IndexItem item;
    };

    // The first chunk of a tree is the one that the previous tree left (host/kept_storage.hpp),
    // when it is large enough: repeated fits reuse their memory rather than fresh pages.
    std::vector<KeptStorage<Planting>> chunks_;
    static KeptSpare<Planting> keptChunk_;
    std::size_t lastChunkSize_ = 0;
    std::size_t usedInLastChunk_ = 0;
    TreeBlock* root_ = nullptr;
};

// --- The description file and the in-memory tree -------------------------------------------

// Reads the child table of nodes 1..n from a description file: records of a node number, a
// child count d and, when d > 0, d child numbers. Fails with the reader's messages.
void readFromFile(const char* fileName, treeInfo& table, int n);

// Builds the whole tree below the root of `tree` (a single node) from the table: depth
// first, every child list in the reverse of the listed order. The table must describe a tree
// below that node; initializeRoot checks a file's table first.
void buildTree(BlockTree& tree, const treeInfo& table, const double* v);

// Reads the file, checks that it describes a tree of bounded size below the 1-based root
// rootNumber, and builds that tree into `root`.
void initializeRoot(BlockTree& root, const char* fileName, const double* v, int rootNumber, int n);

// Frees the whole tree.
void deleteTree(BlockTree& tree);

// --- Pooling ----------------------------------------------------------------------------------

// Pools `child`, which must be in block's child list, into `block`, which takes over its nodes
// and children; the child's memory goes with the tree. Fails when the new mean leaves the
// double range.
void merge(TreeBlock* block, TreeBlock* child);

// Pool the subtree below `block` in place, keeping every fitted value at or above zero, or
// without that bound.
void computeMaximalMean(TreeBlock* block);
void computeMaximalMean_without_nonnegative(TreeBlock* block);

// Writes the fitted values of the subtree below `block` into x; a null block writes nothing.
void computeSolution(double* x, const TreeBlock* block);

// The fit over the tree of a description file, below the 1-based root rootNumber. Only the
// entries of nodes in the tree are written.
void isoHier(double* x, const char* fileName, const double* v, int rootNumber, int n);
void isoHier_without_nonnegative(double* x, const char* fileName, const double* v, int rootNumber,
                                 int n);

// --- Implicit shapes ---------------------------------------------------------------------------

// The binary heap on nodes 0..n-1 (node k the parent of 2k+1 and 2k+2, where they exist) and
// the depth-one star (node 0 the parent of all others). n <= 0 delivers no tree.
void initializeRootBinary(BlockTree& root, const double* v, int n);
void initializeRootDepth1(BlockTree& root, const double* v, int n);

// The nonnegative fit over those shapes; n <= 0 writes nothing.
void isoHierBinary(double* x, const double* v, int n);
void isoHierDepth1(double* x, const double* v, int n);
