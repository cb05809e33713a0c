// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// Two measures of a vector under a tree-structured group penalty: the penalty itself and the
// largest ratio of a group's Euclidean length to its weight.
#pragma once

#include <cmath>

#include "support/interrupt.hpp"
#include "treetable/tree_prox.hpp"

namespace treetable {

// The L1 part of the penalty, w0 times the sum of |x_i|. A sum past the largest double is
// taken again in units of 2^600, where the product may still fit.
inline double l1Term(const double* x, int n, double w0) {
    double sum = 0.0;
    for (int i = 0; i < n; ++i) sum = std::fabs(x[i]) + sum;
    if (!pastLargestDouble(sum)) return sum * w0;
    double longSum = 0.0;
    for (int i = 0; i < n; ++i) longSum = std::fabs(inLongUnits(x[i])) + longSum;
    return fromLongUnits(longSum * w0);
}

// w_k times the length of group k, the length taken in units of 2^600 where it overflowed.
template <class Positions>
double groupTerm(const double* x, const Node& node, const Positions& at) {
    const double length = groupLength(x, node, at);
    if (!pastLargestDouble(length)) return length * node.weight;
    return fromLongUnits(groupLengthInLongUnits(x, node, at) * node.weight);
}

// Omega(x): w0 times the sum of |x_i| when node 0 is the L1 node, plus w_k times the length
// of every further group, accumulated in table order. Infinite only where Omega(x) exceeds
// the largest double (or x is not finite). Nested groups can make the pass long: it polls for
// an interrupt as it goes, as largestGroupRatio does.
template <class Positions>
double penaltyOf(const double* x, int n, const double* ind, int nodes, const Positions& at) {
    double value = 0.0;
    const bool hasL1Node = startsWithL1Node(ind);
    if (hasL1Node) value = l1Term(x, n, ind[2]);
    InterruptPoll poll;
    for (int k = firstGroupNode(hasL1Node); k < nodes; ++k) {
        const Node node = nodeAt(ind, k);
        value = groupTerm(x, node, at) + value;
        poll.tick(entriesOf(node));
    }
    return value;
}

// ||x over group k|| / w_k, the length taken in units of 2^600 where it overflowed.
template <class Positions>
double groupRatio(const double* x, const Node& node, const Positions& at) {
    const double length = groupLength(x, node, at);
    if (!pastLargestDouble(length)) return length / node.weight;
    return fromLongUnits(groupLengthInLongUnits(x, node, at) / node.weight);
}

// The largest ratio ||x over group k|| / w_k over the nodes, and 0 if none is larger; NaN
// ratios are passed over. The L1 node stands for the n groups of one entry each, so its ratio
// is max |x_i| / w0. No node is read when nodes is 0.
template <class Positions>
double largestGroupRatio(const double* x, int n, const double* ind, int nodes,
                         const Positions& at) {
    double value = 0.0;
    if (nodes < 1) return value;
    const bool hasL1Node = startsWithL1Node(ind);
    if (hasL1Node) {
        double largest = 0.0;
        for (int i = 0; i < n; ++i)
            if (std::fabs(x[i]) > largest) largest = std::fabs(x[i]);
        const double ratio = largest / ind[2];
        if (ratio > value) value = ratio;
    }
    InterruptPoll poll;
    for (int k = firstGroupNode(hasL1Node); k < nodes; ++k) {
        const Node node = nodeAt(ind, k);
        const double ratio = groupRatio(x, node, at);
        if (ratio > value) value = ratio;
        poll.tick(entriesOf(node));
    }
    return value;
}

}  // namespace treetable
