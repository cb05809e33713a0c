// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// Checks of a node table (and of the index list it slices) against the arrays it indexes,
// made by the gateways of both tree families before any routine reads the table. The
// routines themselves trust the table; these checks make that trust safe.
//
// Node k is named by its column, ind(:,k+1). A node whose end is below its start covers
// nothing and may lie anywhere; node 0 starting at -1 is left to the routines' own L1 test.
#pragma once

#include <cstdarg>
#include <cstddef>

#include "support/format.hpp"
#include "support/interrupt.hpp"
#include "support/routine_failure.hpp"
#include "treetable/node_table.hpp"

namespace treetable {

// What a table's positions index: {n, "positions", "v"} or {cols, "columns", "V"}.
struct Extent {
    int length;
    const char* unit;
    const char* name;
};

[[noreturn]] inline void failTable(const char* reason, const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 2, 3)))
#endif
    ;

inline void failTable(const char* reason, const char* format, ...) {
    std::va_list arguments;
    va_start(arguments, format);
    const std::string text = formatText(format, arguments);
    va_end(arguments);
    throw RoutineFailure(reason, text);
}

// Node k as the routines read it, once its start and end are known to truncate to integers
// whose 0-based start still fits an int.
inline Node checkedNodeAt(const double* ind, int k) {
    const double* fields = fieldsOf(ind, k);
    for (int f = 0; f < 2; ++f)
        if (!(fields[f] > -2147483648.0 && fields[f] < 2147483648.0))
            failTable(reason::nodeOutOfRange,
                      "node ind(:,%d) = [%g; %g; %g] has a start or end that is not a number "
                      "within the 32-bit integer range",
                      k + 1, fields[0], fields[1], fields[2]);
    return nodeAt(ind, k);
}

// Calls visit(node, k) for every node that the routines read as a non-empty group. Node 0 is
// read for its L1 test even when nodes is 0, if readsNodeZero.
template <class Visit>
void forEachGroupNode(const double* ind, int nodes, bool readsNodeZero, const Visit& visit) {
    if (nodes < 1 && readsNodeZero) checkedNodeAt(ind, 0);
    for (int k = 0; k < nodes; ++k) {
        const Node node = checkedNodeAt(ind, k);
        const bool l1Candidate = k == 0 && truncateToInt(ind[0]) == -1;
        if (!l1Candidate && node.end > node.first) visit(node, k);
    }
}

// Every range lies inside 1..extent.length.
inline void requireRangesWithin(const double* ind, int nodes, bool readsNodeZero,
                                const Extent& extent) {
    forEachGroupNode(ind, nodes, readsNodeZero, [&](const Node& node, int k) {
        if (node.first < 0 || node.end > extent.length)
            failTable(reason::nodeOutOfRange,
                      "node ind(:,%d) covers %s %d to %d, outside the %d %s of %s", k + 1,
                      extent.unit, node.first + 1, node.end, extent.length, extent.unit,
                      extent.name);
    });
}

// Every slice lies inside G (listLength entries) and every position it lists inside
// 1..extent.length.
inline void requireSlicesWithin(const double* ind, int nodes, bool readsNodeZero, const double* G,
                                std::size_t listLength, const Extent& extent) {
    InterruptPoll poll;  // nested slices make this check as long as a pass of the operator
    forEachGroupNode(ind, nodes, readsNodeZero, [&](const Node& node, int k) {
        poll.tick(node.end > node.first ? node.end - node.first : 1);
        if (node.first < 0 || static_cast<std::size_t>(node.end) > listLength)
            failTable(reason::sliceOutOfRange,
                      "node ind(:,%d) lists G(%d) to G(%d), outside the %lld entries of G", k + 1,
                      node.first + 1, node.end, static_cast<long long>(listLength));
        const double past = static_cast<double>(extent.length) + 1.0;
        for (int j = node.first; j < node.end; ++j)
            if (!(G[j] >= 1.0 && G[j] < past))
                failTable(reason::positionOutOfRange,
                          "node ind(:,%d) lists G(%d) = %g, outside the %d %s of %s", k + 1, j + 1,
                          G[j], extent.length, extent.unit, extent.name);
    });
}

}  // namespace treetable
