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
#include <cstdint>
#include <memory>
#include <new>
#include <utility>
#include <vector>

#include "support/kept_storage.hpp"

// The children of one node as listed in a description, in the listed order.
struct NodeInfo {
    NodeInfo() = default;
    NodeInfo(int count, std::size_t first) : childCount(count), offset(first) {}

    int childCount = 0;      // 0 for a leaf
    bool met = false;        // set by growTreeOfSingleListings (building.hpp) on meeting it
    std::size_t offset = 0;  // position of the first child in treeInfo::children
};

// The child table of nodes 0..n-1. The children of every record live in one array, so a
// table of a million nodes costs two allocations rather than a million.
struct treeInfo {
    std::vector<NodeInfo> nodes;
    std::vector<int> children;

    const int* childrenOf(int node) const { return children.data() + nodes[node].offset; }
};

// One block of the in-memory tree: a single node when built, a pool of nodes sharing one
// fitted value after pooling. 64 bytes, the fields that the pooling reads on every step first.
//
// The blocks of a tree live in one array, and a block reaches the others through links that
// hold the distance, in blocks, from itself to the target (0: no target). A tree has fewer
// than 2^31 blocks (building.hpp's bound), so a distance fits in 32 bits, half of a pointer.
// Each block also stands for one listing of its node. A block's node list (its own node,
// then those of the blocks merged into it, in the order of the merges) is a ring of links
// that each lead to the listing before, the block's own to the last one: appending a
// merged block's list exchanges the two blocks' links, and no tail is kept.
//
// Ranks (child_heap.hpp) are kept in 32 bits, modulo 2^32 and offset by 2^31, so that
// unsigned arithmetic never overflows: a block's children's ranks, and the bounds of its
// rank range, lie within +-(blocks - 1) of 0, since a range grows only by the ranges of the
// merged children below it, so the offset values order exactly as the ranks do; a shift
// only adds, and is exact modulo 2^32.
class TreeBlock {
public:
    double m;                    // mean of the values of the block's nodes
    int num;                     // number of nodes in the block (block counts fit in an int)
    std::uint32_t rank;          // this block's rank in its parent's child list (offset)
    std::uint32_t pendingShift;  // still to be added to the ranks of both subheaps
    std::uint32_t firstRank;     // bounds on the ranks of this block's children (offset)
    std::uint32_t lastRank;
    int node;                    // the node of this listing
    unsigned char heapDistance;  // length of the right spine below, at most 32
    unsigned char done;          // 1 once the block's pooling is final

    // A fresh single-node block.
    void plant(int listedNode, double value);

    // Arrays of blocks come from the single-object operators, as the other memory of a fit
    // does, so that whatever stands in for those (a sanitizer, a test that fails allocations
    // in turn) sees the tree's storage too.
    static void* operator new[](std::size_t size) { return ::operator new(size); }
    static void operator delete[](void* blocks) noexcept { ::operator delete(blocks); }

    // The child list, doubly linked. The first child's previous link leads to the last
    // child (none when it is the only one), so that the last is found without a field of
    // its own.
    TreeBlock* firstChild() { return linked(firstChild_); }
    const TreeBlock* firstChild() const { return linked(firstChild_); }
    TreeBlock* nextSibling() { return linked(nextSibling_); }
    const TreeBlock* nextSibling() const { return linked(nextSibling_); }
    TreeBlock* previousInRing() { return linked(previous_); }
    const TreeBlock* previousInRing() const { return linked(previous_); }
    TreeBlock* lastChild() { return const_cast<TreeBlock*>(std::as_const(*this).lastChild()); }
    const TreeBlock* lastChild() const {
        const TreeBlock* first = firstChild();
        if (first == nullptr || first->previous_ == 0) return first;
        return first->previousInRing();
    }
    void setFirstChild(const TreeBlock* block) { firstChild_ = linkTo(block); }
    void setNextSibling(const TreeBlock* block) { nextSibling_ = linkTo(block); }
    void setPrevious(const TreeBlock* block) { previous_ = linkTo(block); }

    // The heap of this block's children (monotone/child_heap.hpp), and this block's subheaps
    // in its parent's heap.
    TreeBlock* childHeap() { return linked(childHeap_); }
    TreeBlock* heapLeft() { return linked(heapLeft_); }
    TreeBlock* heapRight() { return linked(heapRight_); }
    void setChildHeap(const TreeBlock* block) { childHeap_ = linkTo(block); }
    void setHeapLeft(const TreeBlock* block) { heapLeft_ = linkTo(block); }
    void setHeapRight(const TreeBlock* block) { heapRight_ = linkTo(block); }
    void swapSubheaps() { std::swap(heapLeft_, heapRight_); }

    // The listing before this one in its block's node list; for the block's own listing,
    // the last one (itself when it is alone).
    const TreeBlock* earlierListing() const { return this + earlierListing_; }
    // Appends the node list of `other` to this block's list.
    void appendNodesOf(TreeBlock* other);

private:
    TreeBlock* linked(std::int32_t distance) { return distance == 0 ? nullptr : this + distance; }
    const TreeBlock* linked(std::int32_t distance) const {
        return distance == 0 ? nullptr : this + distance;
    }
    std::int32_t linkTo(const TreeBlock* block) const {
        return block == nullptr ? 0 : static_cast<std::int32_t>(block - this);
    }

    std::int32_t childHeap_;
    std::int32_t heapLeft_;
    std::int32_t heapRight_;
    std::int32_t firstChild_;
    std::int32_t nextSibling_;
    std::int32_t previous_;
    std::int32_t earlierListing_;
};

// The in-memory tree: its root block, and the array of all its blocks. The array is made in
// one allocation of the whole tree's size and released all together, by deleteTree or when
// the tree goes; one allocation per node would cost more than the whole fit.
class BlockTree {
public:
    BlockTree() = default;
    BlockTree(BlockTree&& other) noexcept { *this = std::move(other); }
    BlockTree& operator=(BlockTree&& other) noexcept;

    TreeBlock* get() const { return root_; }
    TreeBlock* operator->() const { return root_; }

    // Empties the tree, then makes it the single block of `node` with mean `value`, with
    // room for `blocks` blocks in all; std::bad_alloc when memory runs out.
    TreeBlock* plantRoot(int node, double value, std::size_t blocks);

    // A fresh block holding the single node `node` with mean `value`, in the room that
    // plantRoot made; std::length_error beyond it.
    TreeBlock* newBlock(int node, double value);

    // Frees every block; the tree is empty afterwards.
    void release();

    // Frees the storage kept for the next tree (support/kept_storage.hpp).
    static void releaseKeptStorage() { keptBlocks_.release(); }

private:
    // The array is the one that the previous tree left (support/kept_storage.hpp), when it is
    // large enough: repeated fits reuse their memory rather than fresh pages.
    KeptStorage<TreeBlock> blocks_;
    static KeptSpare<TreeBlock> keptBlocks_;
    std::size_t used_ = 0;
    TreeBlock* root_ = nullptr;
};

// --- The description file and the in-memory tree -------------------------------------------

// Reads the child table of nodes 1..n from a description file: records of a node number, a
// child count d and, when d > 0, d child numbers. Fails with the reader's messages.
void readFromFile(const char* fileName, treeInfo& table, int n);

// Builds the whole tree below the root of `tree` (a single node) from the table: depth
// first, every child list in the reverse of the listed order. The table must describe a tree
// below that node (initializeRoot checks a file's table first), and the root must have been
// planted with room for all of its blocks.
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

// The same fits over the tree that parents[i] describes: the 0-based parent of node i, -1 at
// the one root. Fails on several roots or none, a parent outside the nodes, or a cycle.
void isoHierParents(double* x, const int* parents, const double* v, int n);
void isoHierParents_without_nonnegative(double* x, const int* parents, const double* v, int n);

// --- Implicit shapes ---------------------------------------------------------------------------

// The binary heap on nodes 0..n-1 (node k the parent of 2k+1 and 2k+2, where they exist) and
// the depth-one star (node 0 the parent of all others). n <= 0 delivers no tree.
void initializeRootBinary(BlockTree& root, const double* v, int n);
void initializeRootDepth1(BlockTree& root, const double* v, int n);

// The nonnegative fit over those shapes; n <= 0 writes nothing.
void isoHierBinary(double* x, const double* v, int n);
void isoHierDepth1(double* x, const double* v, int n);
