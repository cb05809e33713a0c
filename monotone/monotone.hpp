// Ordered-tree fitting: monotone fits over a tree order by maximal-mean pooling.
//
// Given a value v[i] on every node of a rooted tree, the fit x is constant on blocks of
// connected nodes, takes on each block the mean of its values, and never increases along a
// path from the root down. The tree comes from a description file (isoHier) or from a shape
// implied by n (isoHierBinary, isoHierDepth1).
//
// Routines take their outputs first, then inputs, then sizes and parameters. Nodes are
// 0-based in memory and 1-based in files and root arguments. A routine that cannot deliver
// prints its message through the console and throws RoutineFailure; every path releases
// what it obtained (the tree through OwnedTree, the file through its handle).
#pragma once

#include <cstddef>
#include <memory>
#include <vector>

// The children of one node as listed in a description, in the listed order.
struct NodeInfo {
    int childCount = 0;       // 0 for a leaf
    std::size_t offset = 0;   // position of the first child in treeInfo::children
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
// fitted value after pooling. A block owns its index items and its child blocks.
struct TreeBlock {
    unsigned done;              // 1 once the block's pooling is final
    double m;                   // mean of the values of the block's nodes
    int num;                    // number of nodes in the block
    TreeBlock* nextSibling;     // next block in the parent's child list
    TreeBlock* firstChild;      // first block of this block's child list
    IndexItem* head;            // first and last item of the node list
    IndexItem* tail;
    TreeBlock* previousSibling; // so that a merge unlinks a child without walking the list
};

// Frees a block, its index items and its whole subtree; a null block does nothing.
void deleteTree(TreeBlock* block);

struct TreeDeletion {
    void operator()(TreeBlock* block) const { deleteTree(block); }
};
// A root block and everything below it, released when the owner goes.
using OwnedTree = std::unique_ptr<TreeBlock, TreeDeletion>;

// --- The description file and the in-memory tree -------------------------------------------

// Reads the child table of nodes 1..n from a description file: records of a node number, a
// child count d and, when d > 0, d child numbers. Fails with the reader's messages.
void readFromFile(const char* fileName, treeInfo& table, int n);

// Builds the whole subtree below `block` (whose node list holds one node) from the table:
// depth first, every child list in the reverse of the listed order. The table must describe
// a tree below that node; initializeRoot checks a file's table first.
void buildTree(TreeBlock* block, const treeInfo& table, const double* v);

// Reads the file, checks that it describes a tree of bounded size below the 1-based root
// rootNumber, and builds that tree into `root`.
void initializeRoot(OwnedTree& root, const char* fileName, const double* v, int rootNumber,
                    int n);

// --- Pooling ----------------------------------------------------------------------------------

// Pools `child`, which must be in block's child list, into `block` and frees it. Fails when
// the new mean leaves the double range.
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
void isoHier_without_nonnegative(double* x, const char* fileName, const double* v,
                                 int rootNumber, int n);

// --- Implicit shapes ---------------------------------------------------------------------------

// The binary heap on nodes 0..n-1 (node k the parent of 2k+1 and 2k+2, where they exist) and
// the depth-one star (node 0 the parent of all others). n <= 0 delivers no tree.
void initializeRootBinary(OwnedTree& root, const double* v, int n);
void initializeRootDepth1(OwnedTree& root, const double* v, int n);

// The nonnegative fit over those shapes; n <= 0 writes nothing.
void isoHierBinary(double* x, const double* v, int n);
void isoHierDepth1(double* x, const double* v, int n);
