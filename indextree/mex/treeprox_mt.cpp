// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// X = treeprox_mt(V, rows, cols, ind, nodes)

#include "mex/gateway.hpp"
#include "indextree/indextree.hpp"
#include "treetable/mex/tree_arguments.hpp"

void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]) {
    const gateway::Call call("treeprox_mt", "X = treeprox_mt(V, rows, cols, ind, nodes)", nlhs,
                             nrhs, prhs);

    // Check and get the inputs.
    call.expectArguments(5, 1);
    const gateway::Matrix in = call.matrix(0, "V", 1, "rows", 2, "cols");
    const double* V = in.data;
    const int rows = in.rows;
    const int cols = in.cols;
    // A NaN length passes no shrinking test and would come out as 0.
    call.requireNumbers(V, in.size(), "V");
    const int nodes = call.size(4, "nodes");
    const double* ind = treeargs::orderedNodeTable(call, 3, nodes, treeargs::nodeZeroForRows(rows),
                                                   treeargs::columnsOf("V", cols));

    // Create the output, compute, deliver.
    mxArray* outputs[1] = {gateway::newMatrix(rows, cols)};
    double* X = mxGetPr(outputs[0]);
    call.check(gateway::attempt([&] { treeprox_mt(X, V, rows, cols, ind, nodes); }));
    call.deliver(plhs, outputs, 1);
}
