// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// The node table and index list arguments of the tree gateways (both families): read, and
// checked against the arrays they index, before any routine runs.
#pragma once

#include <cmath>
#include <cstddef>

#include "mex/gateway.hpp"
#include "treetable/node_order.hpp"
#include "treetable/node_table_checks.hpp"

namespace treeargs {

// Whether the routine reads node 0 when nodes is 0 (for its L1 test): every routine does,
// except the group-ratio bound and the row-wise routines of a matrix without rows.
enum class NodeZero { read, unread };

// The row-wise routines read the table only when the matrix has a row.
inline NodeZero nodeZeroForRows(int rows) { return rows > 0 ? NodeZero::read : NodeZero::unread; }

inline treetable::Extent positionsOf(const char* name, int length) {
    return treetable::Extent{length, "positions", name};
}

inline treetable::Extent columnsOf(const char* name, int cols) {
    return treetable::Extent{cols, "columns", name};
}

// The table's data: 3 * nodes elements, and node 0 when the routine reads it.
inline const double* tableData(const gateway::Call& call, int position, int nodes,
                               NodeZero nodeZero) {
    const int needed = nodes < 1 && nodeZero == NodeZero::read ? 1 : nodes;
    return call.doubles(position, "ind", 3 * static_cast<std::ptrdiff_t>(needed));
}

// A NaN weight passes no shrinking test: the group it weighs would come out as 0.
inline void requireNumericWeights(const gateway::Call& call, const double* ind, int nodes,
                                  NodeZero nodeZero) {
    const int read = nodes < 1 && nodeZero == NodeZero::read ? 1 : nodes;
    for (int k = 0; k < read; ++k)
        if (std::isnan(ind[3 * static_cast<std::ptrdiff_t>(k) + 2]))
            call.fail(reason::notFinite, "the weight ind(3, %d) must not be NaN", k + 1);
}

// A node table of index ranges inside `extent`.
inline const double* nodeTable(const gateway::Call& call, int position, int nodes,
                               NodeZero nodeZero, const treetable::Extent& extent) {
    const double* ind = tableData(call, position, nodes, nodeZero);
    call.check(gateway::attempt(
        [&] { treetable::requireRangesWithin(ind, nodes, nodeZero == NodeZero::read, extent); }));
    requireNumericWeights(call, ind, nodes, nodeZero);
    return ind;
}

// A node table of index ranges inside `extent`, each listed after the ranges inside it: the
// table of a routine whose result depends on the order of the nodes.
inline const double* orderedNodeTable(const gateway::Call& call, int position, int nodes,
                                      NodeZero nodeZero, const treetable::Extent& extent) {
    const double* ind = nodeTable(call, position, nodes, nodeZero, extent);
    call.check(gateway::attempt([&] { treetable::requireRangesInOrder(ind, nodes, extent); }));
    return ind;
}

struct IndexList {
    const double* data;
    std::size_t length;
};

inline IndexList indexList(const gateway::Call& call, const mxArray* const* prhs, int position) {
    const double* data = call.doubles(position, "G", 0);
    return IndexList{data, mxGetNumberOfElements(prhs[position])};
}

// A node table of slices inside G whose positions lie inside `extent`.
inline const double* slicedNodeTable(const gateway::Call& call, int position, int nodes,
                                     NodeZero nodeZero, const IndexList& G,
                                     const treetable::Extent& extent) {
    const double* ind = tableData(call, position, nodes, nodeZero);
    call.check(gateway::attempt([&] {
        treetable::requireSlicesWithin(ind, nodes, nodeZero == NodeZero::read, G.data, G.length,
                                       extent);
    }));
    requireNumericWeights(call, ind, nodes, nodeZero);
    return ind;
}

// A node table of slices inside G, each listed after the slices inside it where the slices
// are nested or disjoint (treetable/node_order.hpp): the table of a routine whose result
// depends on the order of the nodes.
inline const double* orderedSlicedNodeTable(const gateway::Call& call, int position, int nodes,
                                            NodeZero nodeZero, const IndexList& G,
                                            const treetable::Extent& extent) {
    const double* ind = slicedNodeTable(call, position, nodes, nodeZero, G, extent);
    call.check(
        gateway::attempt([&] { treetable::requireSlicesInOrder(ind, nodes, G.data, extent); }));
    return ind;
}

}  // namespace treeargs
