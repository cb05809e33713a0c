// The children of a block being pooled, in the order in which the pooling picks them.
//
// The pooling merges a block with its child of largest mean, the one later in the child list
// among equal means. Scanning the list for it on every merge costs quadratic time on a block
// with many children; this heap finds the same child in logarithmic time. A child's place in
// the list is a rank: the list as filled counts 0, 1, 2, ..., and a merge, which puts the
// merged child's own children in front of the list, gives them ranks below all others, in
// their order. Children are final while they wait here, so their means do not change.
#pragma once

#include <algorithm>
#include <cstddef>
#include <vector>

#include "monotone/monotone.hpp"

class ChildQueue {
public:
    // Takes the current child list of `parent`.
    void fill(const TreeBlock* parent) {
        heap_.clear();
        front_ = 0;
        long long rank = 0;
        for (TreeBlock* child = parent->firstChild; child != nullptr; child = child->nextSibling)
            heap_.push_back({child->m, rank++, child});
        std::make_heap(heap_.begin(), heap_.end(), picksLater);
    }

    TreeBlock* top() const { return heap_.front().block; }

    void pop() {
        std::pop_heap(heap_.begin(), heap_.end(), picksLater);
        heap_.pop_back();
    }

    // The children from `first` up to, not including, `stop` now stand in front of the list.
    void addInFront(TreeBlock* first, const TreeBlock* stop) {
        const std::size_t start = heap_.size();
        for (TreeBlock* child = first; child != stop; child = child->nextSibling)
            heap_.push_back({child->m, 0, child});
        const long long added = static_cast<long long>(heap_.size() - start);
        for (std::size_t k = start; k < heap_.size(); ++k) {
            heap_[k].rank = front_ - added + static_cast<long long>(k - start);
            std::push_heap(heap_.begin(), heap_.begin() + static_cast<std::ptrdiff_t>(k + 1),
                           picksLater);
        }
        front_ -= added;
    }

private:
    struct Entry {
        double m;
        long long rank;
        TreeBlock* block;
    };

    // Whether the pooling would pick b rather than a.
    struct PicksLater {
        bool operator()(const Entry& a, const Entry& b) const {
            return a.m < b.m || (a.m == b.m && a.rank < b.rank);
        }
    };
    static constexpr PicksLater picksLater{};

    std::vector<Entry> heap_;
    long long front_ = 0;  // no child ranks below this; children added in front go below it
};
