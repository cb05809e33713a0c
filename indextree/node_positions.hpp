// Where a node's list indices point in the vector. The tree routines are written once over
// these two policies: a group of consecutive positions (the index-tree routines) or a slice
// of an index list G of 1-based positions (the general index-tree routines).
#pragma once

namespace treetable {

// List index j is position j itself.
struct RangePositions {
    int operator[](int j) const { return j; }
};

// List index j is position trunc(G[j]) - 1.
struct ListPositions {
    const double* G;
    int operator[](int j) const { return static_cast<int>(G[j]) - 1; }
};

}  // namespace treetable
