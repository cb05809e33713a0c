// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// The node table of a tree-structured group penalty, as every tree routine reads it.
//
// `nodes` triples (start, end, weight) stored node after node, so that node k is elements
// 3k, 3k+1 and 3k+2 (a 3-by-nodes host matrix). start and end are 1-based inclusive and are
// truncated toward zero when read; the weight is read as it is. Node 0 may be the L1 node
// (-1, -1, w0): one threshold w0 for every entry on its own. Only node 0 is tested for it.
//
// The routines trust every node to lie inside the arrays it indexes, as the gateways make sure
// (node_table_checks.hpp).
#pragma once

#include <cstddef>
#include <string>

#include "support/console.hpp"
#include "support/routine_failure.hpp"
#include "support/truncate.hpp"

namespace treetable {

// A node's list indices first <= j < end (0-based) and its weight. end < first covers nothing.
struct Node {
    int first;
    int end;
    double weight;
};

inline const double* fieldsOf(const double* ind, int k) {
    return ind + 3 * static_cast<std::ptrdiff_t>(k);
}

inline Node nodeAt(const double* ind, int k) {
    const double* fields = fieldsOf(ind, k);
    return Node{truncateToInt(fields[0]) - 1, truncateToInt(fields[1]), fields[2]};
}

// Whether node 0 is the L1 node. A node 0 that starts at -1 but ends elsewhere is neither an
// L1 node nor a range: the call fails, after the message that users of these routines know.
inline bool startsWithL1Node(const double* ind) {
    if (truncateToInt(ind[0]) != -1) return false;
    const int end = truncateToInt(ind[1]);
    if (end != -1) {
        consolePrintf("\n Error! \n Check ind");
        throw RoutineFailure(reason::badL1Node,
                             "ind(:,1) starts at -1, which makes it the L1 node, but ends at " +
                                 std::to_string(end) + "; the L1 node is [-1; -1; w]");
    }
    return true;
}

// The node applied first after the L1 test: node 1 behind an L1 node, node 0 otherwise.
inline int firstGroupNode(bool hasL1Node) { return hasL1Node ? 1 : 0; }

}  // namespace treetable
