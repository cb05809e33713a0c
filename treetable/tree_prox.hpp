// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// The proximal operator of a tree-structured group penalty
//
//   Omega(x) = w0 * sum_i |x_i| + sum_k w_k * ||x over group k||_2,
//
// computed by applying the nodes of the table one after another to a working copy of v: the
// L1 node soft-thresholds every entry, every other node shrinks its group toward zero in
// Euclidean length. When every node is listed after the nodes nested inside it, the
// composition is the proximal operator. Comparisons are strict, so a group whose length
// equals its weight goes to zero.
#pragma once

#include <algorithm>
#include <cmath>
#include <limits>

#include "support/interrupt.hpp"
#include "support/scaled_length.hpp"
#include "treetable/matrix_rows.hpp"
#include "treetable/node_positions.hpp"
#include "treetable/node_table.hpp"

namespace treetable {

// The weights a pass uses: the table's own, the table's times a common factor, or +infinity
// for every node (which zeroes every entry that some node reaches). longUnits gives the same
// weight in the units of a group whose length overflowed (support/scaled_length.hpp).
struct TableWeights {
    double operator()(double weight) const { return weight; }
    double longUnits(double weight) const { return inLongUnits(weight); }
};
struct ScaledWeights {
    double factor;
    double operator()(double weight) const { return factor * weight; }
    double longUnits(double weight) const { return factor * inLongUnits(weight); }
};
struct InfiniteWeights {
    double operator()(double) const { return std::numeric_limits<double>::infinity(); }
    double longUnits(double) const { return std::numeric_limits<double>::infinity(); }
};

// Euclidean length of a node's group, its squares summed in list order from 0.0.
template <class Positions>
double groupLength(const double* x, const Node& node, const Positions& at) {
    double sum = 0.0;
    for (int j = node.first; j < node.end; ++j) {
        const double value = x[at[j]];
        sum = sum + value * value;
    }
    return lengthFromSumOfSquares(sum, node.end - node.first,
                                  [&](std::ptrdiff_t j) { return x[at[node.first + j]]; });
}

// The same length in units of 2^600, for a group whose length overflowed.
template <class Positions>
double groupLengthInLongUnits(const double* x, const Node& node, const Positions& at) {
    return lengthInLongUnits(node.end - node.first,
                             [&](std::ptrdiff_t j) { return x[at[node.first + j]]; });
}

// How many group lengths are taken side by side at most.
const int kSideBySide = 4;
static_assert(kRowBlock <= kSideBySide, "a block of rows is shrunk side by side");

// One group of one vector: the vector and the node that names the group's positions.
struct GroupOf {
    double* x;
    Node node;
};

// The lengths of kCount groups at once. Each group's squares are still summed in its own list
// order from 0.0, with the same additions as groupLength; the sums only advance side by side,
// so that each addition waits on its own group's previous one, not on the other groups'.
template <int kCount, class Positions>
void groupLengths(const GroupOf* groups, const Positions& at, double* lengths) {
    double sum[kCount];
    int common = groups[0].node.end - groups[0].node.first;
    for (int g = 0; g < kCount; ++g) {
        sum[g] = 0.0;
        common = std::min(common, groups[g].node.end - groups[g].node.first);
    }
    for (int j = 0; j < common; ++j)
#pragma GCC unroll 4
        for (int g = 0; g < kCount; ++g) {
            const double value = groups[g].x[at[groups[g].node.first + j]];
            sum[g] = sum[g] + value * value;
        }
    for (int g = 0; g < kCount; ++g) {
        const Node& node = groups[g].node;
        for (int j = node.first + std::max(common, 0); j < node.end; ++j) {
            const double value = groups[g].x[at[j]];
            sum[g] = sum[g] + value * value;
        }
        lengths[g] = lengthFromSumOfSquares(sum[g], node.end - node.first, [&](std::ptrdiff_t j) {
            return groups[g].x[at[node.first + j]];
        });
    }
}

// The lengths of `count` groups, 1 to kSideBySide (4).
template <class Positions>
void lengthsOf(const GroupOf* groups, int count, const Positions& at, double* lengths) {
    int done = 0;
    if (count == 4) {
        groupLengths<4>(groups, at, lengths);
        done = 4;
    } else if (count >= 2) {
        groupLengths<2>(groups, at, lengths);
        done = 2;
    }
    for (; done < count; ++done) lengths[done] = groupLength(groups[done].x, groups[done].node, at);
}

// Shrinks the group of the given Euclidean length by `weight`; to +0 when its length is not
// larger (a NaN length included).
template <class Positions>
void shrinkGroup(double* x, const Node& node, double length, double weight, const Positions& at) {
    if (length > weight) {
        const double factor = (length - weight) / length;
        for (int j = node.first; j < node.end; ++j) x[at[j]] = x[at[j]] * factor;
    } else {
        for (int j = node.first; j < node.end; ++j) x[at[j]] = 0.0;
    }
}

// Shrinks a group whose length overflowed, its length and weight taken in units of 2^600
// (the shrinking factor is the same in any units). A length that stays infinite there comes
// from entries that are not finite, which keep the plain arithmetic.
template <class Positions, class Weights>
void shrinkLongGroup(const GroupOf& group, const Positions& at, const Weights& weights) {
    const double length = groupLengthInLongUnits(group.x, group.node, at);
    if (pastLargestDouble(length))
        shrinkGroup(group.x, group.node, length, weights(group.node.weight), at);
    else
        shrinkGroup(group.x, group.node, length, weights.longUnits(group.node.weight), at);
}

// Takes the lengths of `count` groups, then shrinks each by its weight.
template <class Positions, class Weights>
void shrinkGroups(const GroupOf* groups, int count, const Positions& at, const Weights& weights) {
    double lengths[kSideBySide];
    lengthsOf(groups, count, at, lengths);
    for (int g = 0; g < count; ++g) {
        if (pastLargestDouble(lengths[g]))
            shrinkLongGroup(groups[g], at, weights);
        else
            shrinkGroup(groups[g].x, groups[g].node, lengths[g], weights(groups[g].node.weight),
                        at);
    }
}

// Up to kSideBySide nodes of x from node k on that are pairwise disjoint: shrinking one of them
// changes nothing that another reads, so all their lengths may be taken before any shrinks.
template <class Positions>
int disjointRun(double* x, const double* ind, int k, int nodes, GroupOf* run) {
    int count = 0;
    while (count < kSideBySide && k + count < nodes) {
        const Node next = nodeAt(ind, k + count);
        for (int g = 0; g < count; ++g)
            if (!Positions::disjoint(run[g].node, next)) return count;
        run[count++] = GroupOf{x, next};
    }
    return count;
}

// The starting point of the nodes: v soft-thresholded by the L1 weight, or v itself.
inline void startFrom(double* x, const double* v, int n, bool hasL1Node, double l1Weight) {
    if (!hasL1Node) {
        if (n > 0) std::copy(v, v + n, x);
        return;
    }
    for (int i = 0; i < n; ++i) {
        if (v[i] > l1Weight)
            x[i] = v[i] - l1Weight;
        else if (v[i] < -l1Weight)
            x[i] = v[i] + l1Weight;
        else
            x[i] = 0.0;
    }
}

// The entries of a node's group, and one for the node itself so that empty groups count too:
// the work by which the tree routines tick their interrupt polls.
inline long long entriesOf(const Node& node) {
    return 1 + static_cast<long long>(std::max(node.end - node.first, 0));
}

inline long long entriesOf(const GroupOf* groups, int count) {
    long long entries = 0;
    for (int g = 0; g < count; ++g) entries += entriesOf(groups[g].node);
    return entries;
}

// x = the operator at v (n entries; x and v distinct), with the weights that `weights` gives.
// Nested groups can make one pass over the table long, so it polls for an interrupt as it goes.
template <class Positions, class Weights>
void applyTree(double* x, const double* v, int n, const double* ind, int nodes, const Positions& at,
               const Weights& weights, InterruptPoll& poll) {
    const bool hasL1Node = startsWithL1Node(ind);
    poll.tick(n);  // for the pass that starts from v
    startFrom(x, v, n, hasL1Node, weights(ind[2]));
    PollBatch work(poll);
    for (int k = firstGroupNode(hasL1Node); k < nodes;) {
        GroupOf run[kSideBySide] = {};
        const int count = disjointRun<Positions>(x, ind, k, nodes, run);
        shrinkGroups(run, count, at, weights);
        work.add(entriesOf(run, count));
        k += count;
    }
    work.handOver();
}

template <class Positions, class Weights>
void applyTree(double* x, const double* v, int n, const double* ind, int nodes, const Positions& at,
               const Weights& weights) {
    InterruptPoll poll;
    applyTree(x, v, n, ind, nodes, at, weights, poll);
}

// x[b] = the operator at v[b] for `count` vectors (1 to kSideBySide) of n entries, with the
// table's own weights: the same nodes in the same order on each vector, their lengths taken
// side by side. Polls as applyTree does.
template <class Positions>
void applyTreeToVectors(double* const* x, const double* const* v, int count, int n,
                        const double* ind, int nodes, const Positions& at, InterruptPoll& poll) {
    const bool hasL1Node = startsWithL1Node(ind);
    poll.tick(static_cast<long long>(count) * n);
    for (int b = 0; b < count; ++b) startFrom(x[b], v[b], n, hasL1Node, ind[2]);
    PollBatch work(poll);
    for (int k = firstGroupNode(hasL1Node); k < nodes; ++k) {
        GroupOf groups[kSideBySide] = {};
        for (int b = 0; b < count; ++b) groups[b] = GroupOf{x[b], nodeAt(ind, k)};
        shrinkGroups(groups, count, at, TableWeights{});
        work.add(entriesOf(groups, count));
    }
    work.handOver();
}

// X = the operator applied to every row of V, with the table's own weights.
template <class Positions>
void applyTreeToRows(double* X, const double* V, int rows, int cols, const double* ind, int nodes,
                     const Positions& at) {
    const double workPerRow = 2.0 * cols + 4.0 * nodes;
    transformRows(X, V, rows, cols, workPerRow,
                  [&](double* const* out, const double* const* in, int count, InterruptPoll& poll) {
                      applyTreeToVectors(out, in, count, cols, ind, nodes, at, poll);
                  });
}

}  // namespace treetable
