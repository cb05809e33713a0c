// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// value = general_criticalWeight_mt(V, rows, cols, G, ind, nodes)

#include "generaltree/generaltree.hpp"
#include "mex/gateway.hpp"
#include "treetable/mex/tree_arguments.hpp"

void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]) {
    const gateway::Call call("general_criticalWeight_mt",
                             "value = general_criticalWeight_mt(V, rows, cols, G, ind, nodes)",
                             nlhs, nrhs, prhs);

    // Check and get the inputs.
    call.expectArguments(6, 1);
    const gateway::Matrix in = call.matrix(0, "V", 1, "rows", 2, "cols");
    const double* V = in.data;
    const int rows = in.rows;
    const int cols = in.cols;
    call.requireFinite(V, in.size(), "V");
    const int nodes = call.size(5, "nodes");
    const treeargs::IndexList G = treeargs::indexList(call, prhs, 3);
    const double* ind = treeargs::orderedSlicedNodeTable(
        call, 4, nodes, treeargs::nodeZeroForRows(rows), G, treeargs::columnsOf("V", cols));

    // Create the output, compute, deliver.
    mxArray* outputs[1] = {gateway::newMatrix(1, 1)};
    double* value = mxGetPr(outputs[0]);
    call.check(gateway::attempt(
        [&] { general_criticalWeight_mt(value, V, rows, cols, G.data, ind, nodes); }));
    call.deliver(plhs, outputs, 1);
}
