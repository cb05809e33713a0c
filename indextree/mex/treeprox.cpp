// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// x = treeprox(v, n, ind, nodes)
#include "mex/gateway.hpp"
#include "indextree/indextree.hpp"
#include "treetable/mex/tree_arguments.hpp"

void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]) {
    const gateway::Call call("treeprox", "x = treeprox(v, n, ind, nodes)", nlhs, nrhs, prhs);

    // Check and get the inputs.
    call.expectArguments(4, 1);
    const int n = call.size(1, "n");
    const double* v = call.doubles(0, "v", n);
    // A NaN length passes no shrinking test and would come out as 0.
    call.requireNumbers(v, n, "v");
    const int nodes = call.size(3, "nodes");
    const double* ind = treeargs::orderedNodeTable(call, 2, nodes, treeargs::NodeZero::read,
                                                   treeargs::positionsOf("v", n));

    // Create the output, compute, deliver.
    mxArray* outputs[1] = {gateway::newMatrix(n, 1)};
    double* x = mxGetPr(outputs[0]);
    call.check(gateway::attempt([&] { treeprox(x, v, n, ind, nodes); }));
    call.deliver(plhs, outputs, 1);
}
