// Building the tree of blocks from a child table.
//
// Depth first with an explicit stack, so a path of a million nodes needs no deep recursion.
// Every new child goes to the front of its parent's list, so each child list runs in the
// reverse of the listed order; the pooling breaks ties by that order.
#include <memory>
#include <vector>

#include "monotone/building.hpp"

TreeBlock* newBlock(int node, double value) {
    std::unique_ptr<TreeBlock> block(
        new TreeBlock{0, value, 1, nullptr, nullptr, nullptr, nullptr, nullptr});
    block->head = block->tail = new IndexItem{node, nullptr};
    return block.release();
}

namespace {

void addInFront(TreeBlock* parent, TreeBlock* child) {
    child->nextSibling = parent->firstChild;
    if (parent->firstChild != nullptr) parent->firstChild->previousSibling = child;
    parent->firstChild = child;
}

struct Frame {
    TreeBlock* block;
    int nextChild;
};

}  // namespace

// A failed allocation leaves the blocks made so far linked below `block`, so whoever owns
// the root releases them.
void buildTree(TreeBlock* block, const treeInfo& table, const double* v) {
    reportingAllocationFailure("\n Allocation in buildTree failure!", [&] {
        std::vector<Frame> stack{{block, 0}};
        while (!stack.empty()) {
            Frame& frame = stack.back();
            const int node = frame.block->head->index;
            if (frame.nextChild == table.nodes[node].childCount) {
                stack.pop_back();
                continue;
            }
            const int child = table.childrenOf(node)[frame.nextChild++];
            TreeBlock* made = newBlock(child, v[child]);
            addInFront(frame.block, made);
            stack.push_back({made, 0});
        }
    });
}

void growTree(OwnedTree& root, const treeInfo& table, const double* v, int rootNode) {
    reportingAllocationFailure("\n Allocation in computeGroups failure!",
                               [&] { root.reset(newBlock(rootNode, v[rootNode])); });
    buildTree(root.get(), table, v);
}
