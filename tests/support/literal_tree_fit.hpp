// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// The ordered-tree fit written the plain way, as a yardstick for the library's routines:
// recursive building, pooling and read-out over singly linked child lists, each pooling
// step scanning the whole child list for the child to merge and each merge walking the list
// for its predecessor. Same arithmetic, same order of merges, so its results must match the
// library's bit for bit. Recursion limits it to trees of moderate depth.
#pragma once

#include <cstring>
#include <deque>
#include <vector>

namespace reference {

// A block of a pooled tree as the tests compare it: its mean, count, nodes in list order and
// number of children. A tree is described by its blocks in preorder.
struct BlockView {
    double m;
    int num;
    std::vector<int> nodes;
    int childCount;

    bool operator==(const BlockView& other) const {
        return std::memcmp(&m, &other.m, sizeof m) == 0 && num == other.num &&
               nodes == other.nodes && childCount == other.childCount;
    }
};

namespace literal {

struct Item {
    int index;
    Item* next;
};

struct Block {
    bool done;
    double m;
    int num;
    Block* next;
    Block* first;
    Item* head;
    Item* tail;
};

class Tree {
public:
    // children[k]: the children of node k (0-based) in the listed order.
    Tree(const std::vector<std::vector<int>>& children, const std::vector<double>& v, int root)
        : children_(children), v_(v) {
        root_ = make(root);
        build(root_);
    }

    void pool(bool nonnegative) { nonnegative ? poolNonnegative(root_) : poolUnbounded(root_); }

    void readOut(std::vector<double>& x) const { readOut(x, root_); }

    std::vector<BlockView> describe() const {
        std::vector<BlockView> blocks;
        describe(root_, blocks);
        return blocks;
    }

private:
    Block* make(int node) {
        items_.push_back(Item{node, nullptr});
        blocks_.push_back(
            Block{false, v_[node], 1, nullptr, nullptr, &items_.back(), &items_.back()});
        return &blocks_.back();
    }

    void build(Block* block) {
        for (int child : children_[block->head->index]) {
            Block* made = make(child);
            made->next = block->first;
            block->first = made;
            build(made);
        }
    }

    static void merge(Block* t, Block* s) {
        t->m = (static_cast<double>(s->num) * s->m + static_cast<double>(t->num) * t->m) /
               static_cast<double>(t->num + s->num);
        t->num = t->num + s->num;
        t->tail->next = s->head;
        t->tail = s->tail;
        if (t->first == s) {
            t->first = s->next;
        } else {
            Block* before = t->first;
            while (before->next != s) before = before->next;
            before->next = s->next;
        }
        if (s->first != nullptr) {
            Block* last = s->first;
            while (last->next != nullptr) last = last->next;
            last->next = t->first;
            t->first = s->first;
        }
    }

    void poolNonnegative(Block* t) {
        if (t->first == nullptr) {
            if (t->m < 0) t->m = 0;
            t->done = true;
            return;
        }
        for (;;) {
            double a = 0;
            Block* chosen = nullptr;
            for (Block* s = t->first; s != nullptr; s = s->next) {
                if (!s->done) poolNonnegative(s);
                if (s->m >= a) {
                    chosen = s;
                    a = s->m;
                }
            }
            if (t->m <= 0 && a == 0) {
                while (t->first != nullptr) merge(t, t->first);
                t->m = 0;
                t->done = true;
                return;
            }
            if (t->m > a) {
                t->done = true;
                return;
            }
            merge(t, chosen);
            if (t->first == nullptr) {
                if (t->m < 0) t->m = 0;
                t->done = true;
                return;
            }
        }
    }

    void poolUnbounded(Block* t) {
        if (t->first == nullptr) {
            t->done = true;
            return;
        }
        for (;;) {
            for (Block* s = t->first; s != nullptr; s = s->next)
                if (!s->done) poolUnbounded(s);
            double a = t->first->m;
            Block* chosen = t->first;
            for (Block* s = t->first; s != nullptr; s = s->next) {
                if (s->m >= a) {
                    chosen = s;
                    a = s->m;
                }
            }
            if (t->m > a) {
                t->done = true;
                return;
            }
            merge(t, chosen);
            if (t->first == nullptr) {
                t->done = true;
                return;
            }
        }
    }

    static void readOut(std::vector<double>& x, const Block* block) {
        for (const Item* item = block->head; item != nullptr; item = item->next)
            x[item->index] = block->m;
        for (const Block* child = block->first; child != nullptr; child = child->next)
            readOut(x, child);
    }

    static void describe(const Block* block, std::vector<BlockView>& blocks) {
        BlockView view{block->m, block->num, {}, 0};
        for (const Item* item = block->head; item != nullptr; item = item->next)
            view.nodes.push_back(item->index);
        for (const Block* child = block->first; child != nullptr; child = child->next)
            ++view.childCount;
        blocks.push_back(view);
        for (const Block* child = block->first; child != nullptr; child = child->next)
            describe(child, blocks);
    }

    const std::vector<std::vector<int>>& children_;
    const std::vector<double>& v_;
    std::deque<Item> items_;
    std::deque<Block> blocks_;
    Block* root_;
};

}  // namespace literal

// The pooled tree of v over the tree below `root` (0-based), block by block.
inline std::vector<BlockView> literalPooledTree(const std::vector<std::vector<int>>& children,
                                                const std::vector<double>& v, int root,
                                                bool nonnegative) {
    literal::Tree tree(children, v, root);
    tree.pool(nonnegative);
    return tree.describe();
}

// The fit of v over the tree below `root` (0-based), written into the entries of x of the
// nodes in the tree; x keeps its other entries.
inline void literalTreeFit(std::vector<double>& x, const std::vector<std::vector<int>>& children,
                           const std::vector<double>& v, int root, bool nonnegative) {
    literal::Tree tree(children, v, root);
    tree.pool(nonnegative);
    tree.readOut(x);
}

}  // namespace reference
