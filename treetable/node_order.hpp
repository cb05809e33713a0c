// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// The order of a node table: every group listed after the groups strictly inside it.
//
// The tree routines apply the nodes one after another, and the composition is the proximal
// operator only in that order: a group shrunk before a group inside it leaves the inner group
// a length that is already reduced, so the inner weight acts on the wrong values. These checks
// find the first node (in table order) listed after a node that strictly contains it, and the
// earliest such container. Equal groups may come in any order (their shrinkings commute), and
// so may groups that merely overlap. The L1 node and nodes that cover nothing take no part.
//
// Ranges are checked in O(nodes log nodes), whatever their overlaps. Slices of an index list
// are checked in O(slice lengths + positions + nodes), about the time of the operator, when
// their groups, as sets of positions, are nested or disjoint; when some two partly overlap,
// telling containment would cost far more than the operator itself, and the order is taken as
// it is.
#pragma once

#include <algorithm>
#include <climits>
#include <cstddef>
#include <utility>
#include <vector>

#include "support/interrupt.hpp"
#include "treetable/node_table_checks.hpp"

namespace treetable {

// Node `inner`, listed after node `outer`, lies strictly inside it (k counted from 0).
struct MisorderedPair {
    int outer = -1;
    int inner = -1;
    bool found() const { return inner >= 0; }
};

namespace order_detail {

struct GroupNode {
    Node node;
    int k;
};

// The nodes that the routines read as non-empty groups, in table order.
inline std::vector<GroupNode> groupNodes(const double* ind, int nodes) {
    std::vector<GroupNode> groups;
    forEachGroupNode(ind, nodes, false, [&](const Node& node, int k) {
        groups.push_back(GroupNode{node, k});
    });
    return groups;
}

inline bool rangeStrictlyContains(const Node& outer, const Node& inner) {
    return outer.first <= inner.first && inner.end <= outer.end &&
           (outer.first != inner.first || outer.end != inner.end);
}

// The largest end among the ranges added so far whose start has at most a given rank (the
// distinct starts ranked 1, 2, ... in increasing order): a Fenwick tree of maxima.
class LargestEndByStart {
public:
    explicit LargestEndByStart(std::size_t ranks) : largest_(ranks + 1, INT_MIN) {}

    void add(std::size_t rank, int end) {
        for (; rank < largest_.size(); rank += lowestBit(rank))
            largest_[rank] = std::max(largest_[rank], end);
    }

    int upTo(std::size_t rank) const {
        int best = INT_MIN;
        for (; rank > 0; rank -= lowestBit(rank)) best = std::max(best, largest_[rank]);
        return best;
    }

private:
    static std::size_t lowestBit(std::size_t rank) { return rank & (~rank + 1); }

    std::vector<int> largest_;
};

// The rank (1, 2, ...) of each group's start among the distinct starts, and the number of
// ranks: the start itself when the positions (0..length-1) are few next to the groups, so that
// nothing needs sorting, else its place among the sorted starts.
inline std::vector<int> startRanks(const std::vector<GroupNode>& groups, int length,
                                   std::size_t* ranks) {
    std::vector<int> rank(groups.size());
    if (static_cast<std::size_t>(length) <= 4 * groups.size()) {
        for (std::size_t g = 0; g < groups.size(); ++g) rank[g] = groups[g].node.first + 1;
        *ranks = static_cast<std::size_t>(length);
        return rank;
    }
    std::vector<std::pair<int, int>> byStart(groups.size());
    for (std::size_t g = 0; g < groups.size(); ++g)
        byStart[g] = {groups[g].node.first, static_cast<int>(g)};
    std::sort(byStart.begin(), byStart.end());
    int current = 0;
    for (std::size_t i = 0; i < byStart.size(); ++i) {
        if (i == 0 || byStart[i].first != byStart[i - 1].first) ++current;
        rank[byStart[i].second] = current;
    }
    *ranks = static_cast<std::size_t>(current);
    return rank;
}

// The groups ordered by decreasing size, table order among equal sizes: a counting sort, as
// sizes lie in 0..largest.
inline std::vector<int> largestFirstOrder(const std::vector<int>& size) {
    const int largest = size.empty() ? 0 : *std::max_element(size.begin(), size.end());
    std::vector<int> before(static_cast<std::size_t>(largest) + 2, 0);
    for (int s : size) ++before[static_cast<std::size_t>(largest - s) + 1];
    for (std::size_t at = 1; at < before.size(); ++at) before[at] += before[at - 1];
    std::vector<int> order(size.size());
    for (std::size_t g = 0; g < size.size(); ++g)
        order[before[static_cast<std::size_t>(largest - size[g])]++] = static_cast<int>(g);
    return order;
}

// One int of marks per position that the slices list, all -1 at first. Indexed by the position
// itself when the positions (0..length-1) are few next to the list entries, else by its rank
// among the listed positions: a few short slices of a long vector (or of the columns of a
// matrix without rows) cost no memory of its length.
class PositionMarks {
public:
    template <class PositionAt>
    PositionMarks(const std::vector<GroupNode>& groups, int length, const PositionAt& positionAt) {
        long long listed = 0;
        for (const GroupNode& group : groups) listed += group.node.end - group.node.first;
        byRank_ = length > 4 * listed;
        if (!byRank_) {
            marks_.assign(static_cast<std::size_t>(length), -1);
            return;
        }
        for (const GroupNode& group : groups)
            for (int j = group.node.first; j < group.node.end; ++j)
                listedPositions_.push_back(positionAt(j));
        std::sort(listedPositions_.begin(), listedPositions_.end());
        listedPositions_.erase(std::unique(listedPositions_.begin(), listedPositions_.end()),
                               listedPositions_.end());
        marks_.assign(listedPositions_.size(), -1);
    }

    int& operator[](int position) {
        if (!byRank_) return marks_[static_cast<std::size_t>(position)];
        return marks_[static_cast<std::size_t>(
            std::lower_bound(listedPositions_.begin(), listedPositions_.end(), position) -
            listedPositions_.begin())];
    }

private:
    bool byRank_;
    std::vector<int> listedPositions_;  // sorted and distinct, when marks are indexed by rank
    std::vector<int> marks_;
};

}  // namespace order_detail

// The first range listed after a range that strictly contains it, and the earliest such range.
// The ranges lie in the positions 0..length-1.
inline MisorderedPair firstRangeAfterItsContainer(const double* ind, int nodes, int length) {
    using namespace order_detail;
    const std::vector<GroupNode> groups = groupNodes(ind, nodes);
    std::size_t ranks = 0;
    const std::vector<int> rank = startRanks(groups, length, &ranks);

    // Over the ranges seen so far: the largest end among those starting before a given start,
    // and among those starting exactly there.
    LargestEndByStart startingBefore(ranks);
    std::vector<int> startingAt(ranks + 1, INT_MIN);
    for (std::size_t g = 0; g < groups.size(); ++g) {
        const Node& node = groups[g].node;
        const std::size_t r = static_cast<std::size_t>(rank[g]);
        // An earlier range contains this one strictly when it starts before it and ends no
        // sooner, or starts with it and ends after it.
        if (startingBefore.upTo(r - 1) >= node.end || startingAt[r] > node.end)
            for (std::size_t outer = 0; outer < g; ++outer)
                if (rangeStrictlyContains(groups[outer].node, node))
                    return MisorderedPair{groups[outer].k, groups[g].k};
        startingBefore.add(r, node.end);
        startingAt[r] = std::max(startingAt[r], node.end);
    }
    return MisorderedPair{};
}

// The first slice of G whose positions are a strict subset of those of a slice listed before
// it, and the earliest such slice; none found when some two slices partly overlap. A slice is
// taken as the set of its positions (one listed twice counts once); every position lies in
// 1..length (requireSlicesWithin).
inline MisorderedPair firstSliceAfterItsContainer(const double* ind, int nodes, const double* G,
                                                  int length) {
    using namespace order_detail;
    const std::vector<GroupNode> groups = groupNodes(ind, nodes);
    const int count = static_cast<int>(groups.size());
    const auto positionAt = [G](int j) { return truncateToInt(G[j]) - 1; };
    InterruptPoll poll;

    // The number of distinct positions of each group. mark[p] is first the last group g that
    // counted p, as -(g + 2), then the group that owns p (below), as g.
    PositionMarks mark(groups, length, positionAt);
    std::vector<int> size(static_cast<std::size_t>(count), 0);
    for (int g = 0; g < count; ++g) {
        const Node& node = groups[g].node;
        poll.tick(node.end - node.first);
        const int counted = -(g + 2);
        for (int j = node.first; j < node.end; ++j) {
            int& at = mark[positionAt(j)];
            if (at != counted) {
                at = counted;
                ++size[g];
            }
        }
    }

    // Largest groups first, so that each group comes after every group that contains it. With
    // the groups nested or disjoint, all positions of a group then have one owner, the smallest
    // group so far that holds them: its parent (or none, -1). Two owners mean a partial overlap.
    const std::vector<int> largestFirst = largestFirstOrder(size);
    const auto ownerOf = [](int marked) { return marked >= 0 ? marked : -1; };
    std::vector<int> parent(static_cast<std::size_t>(count));
    for (int g : largestFirst) {
        const Node& node = groups[g].node;
        poll.tick(node.end - node.first);
        parent[g] = ownerOf(mark[positionAt(node.first)]);
        for (int j = node.first; j < node.end; ++j) {
            int& at = mark[positionAt(j)];
            if (at == g) continue;  // listed twice
            if (ownerOf(at) != parent[g]) return MisorderedPair{};
            at = g;
        }
    }

    // Up each chain of parents: the earliest-listed group holding g (g itself included) and the
    // earliest-listed group strictly containing g. A parent of g's size is a group equal to g.
    std::vector<int> earliestHolder(static_cast<std::size_t>(count));
    std::vector<int> earliestContainer(static_cast<std::size_t>(count), INT_MAX);
    for (int g : largestFirst) {
        const int p = parent[g];
        earliestHolder[g] = p < 0 ? g : std::min(g, earliestHolder[p]);
        if (p >= 0)
            earliestContainer[g] = size[p] == size[g] ? earliestContainer[p] : earliestHolder[p];
    }
    for (int g = 0; g < count; ++g)
        if (earliestContainer[g] < g)
            return MisorderedPair{groups[earliestContainer[g]].k, groups[g].k};
    return MisorderedPair{};
}

// Every range is listed after the ranges strictly inside it.
inline void requireRangesInOrder(const double* ind, int nodes, const Extent& extent) {
    const MisorderedPair pair = firstRangeAfterItsContainer(ind, nodes, extent.length);
    if (!pair.found()) return;
    const Node outer = nodeAt(ind, pair.outer);
    const Node inner = nodeAt(ind, pair.inner);
    failTable(reason::nodeOrder,
              "node ind(:,%d) (%s %d to %d) lies inside node ind(:,%d) (%s %d to %d), which is "
              "listed before it: list every node after the nodes nested inside it",
              pair.inner + 1, extent.unit, inner.first + 1, inner.end, pair.outer + 1, extent.unit,
              outer.first + 1, outer.end);
}

// Every slice is listed after the slices whose positions are a strict subset of its own, where
// the slices are nested or disjoint as sets of positions.
inline void requireSlicesInOrder(const double* ind, int nodes, const double* G,
                                 const Extent& extent) {
    const MisorderedPair pair = firstSliceAfterItsContainer(ind, nodes, G, extent.length);
    if (!pair.found()) return;
    const Node outer = nodeAt(ind, pair.outer);
    const Node inner = nodeAt(ind, pair.inner);
    failTable(reason::nodeOrder,
              "node ind(:,%d) (G(%d) to G(%d)) lists only %s of node ind(:,%d) (G(%d) to G(%d)), "
              "which is listed before it and holds more: list every node after the nodes "
              "nested inside it",
              pair.inner + 1, inner.first + 1, inner.end, extent.unit, pair.outer + 1,
              outer.first + 1, outer.end);
}

}  // namespace treetable
