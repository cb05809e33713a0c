// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// value = general_criticalWeight(v, n, G, ind, nodes)
#include "generaltree/generaltree.hpp"
#include "mex/gateway.hpp"
#include "treetable/mex/tree_arguments.hpp"

void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]) {
    const gateway::Call call("general_criticalWeight",
                             "value = general_criticalWeight(v, n, G, ind, nodes)", nlhs, nrhs,
                             prhs);

    // Check and get the inputs.
    call.expectArguments(5, 1);
    const int n = call.size(1, "n");
    const double* v = call.doubles(0, "v", n);
    call.requireFinite(v, n, "v");
    const int nodes = call.size(4, "nodes");
    const treeargs::IndexList G = treeargs::indexList(call, prhs, 2);
    const double* ind = treeargs::orderedSlicedNodeTable(call, 3, nodes, treeargs::NodeZero::read,
                                                         G, treeargs::positionsOf("v", n));

    // Create the output, compute, deliver.
    mxArray* outputs[1] = {gateway::newMatrix(1, 1)};
    double* value = mxGetPr(outputs[0]);
    call.check(gateway::attempt([&] { general_criticalWeight(value, v, n, G.data, ind, nodes); }));
    call.deliver(plhs, outputs, 1);
}
