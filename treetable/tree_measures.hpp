// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// Two measures of a vector under a tree-structured group penalty: the penalty itself and the
// largest ratio of a group's Euclidean length to its weight.
#pragma once

#include <cmath>

#include "host/interrupt.hpp"
#include "treetable/tree_prox.hpp"

namespace treetable {

// Omega(x): w0 times the sum of |x_i| when node 0 is the L1 node, plus w_k times the length
// of every further group, accumulated in table order. Nested groups can make the pass long:
// it polls for an interrupt as it goes, as largestGroupRatio does.
template <class Positions>
double penaltyOf(const double* x, int n, const double* ind, int nodes, const Positions& at) {
    double value = 0.0;
    const bool hasL1Node = startsWithL1Node(ind);
    if (hasL1Node) {
        for (int i = 0; i < n; ++i) value = std::fabs(x[i]) + value;
        value = value * ind[2];
    }
    InterruptPoll poll;
    for (int k = firstGroupNode(hasL1Node); k < nodes; ++k) {
        const Node node = nodeAt(ind, k);
        value = groupLength(x, node, at) * node.weight + value;
        poll.tick(entriesOf(node));
    }
    return value;
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
        const double ratio = groupLength(x, node, at) / node.weight;
        if (ratio > value) value = ratio;
        poll.tick(entriesOf(node));
    }
    return value;
}

}  // namespace treetable
