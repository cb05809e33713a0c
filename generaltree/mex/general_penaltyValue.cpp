// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// value = general_penaltyValue(x, n, G, ind, nodes)
#include "generaltree/generaltree.hpp"
#include "mex/gateway.hpp"
#include "treetable/mex/tree_arguments.hpp"

void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]) {
    const gateway::Call call("general_penaltyValue",
                             "value = general_penaltyValue(x, n, G, ind, nodes)", nlhs, nrhs, prhs);

    // Check and get the inputs.
    call.expectArguments(5, 1);
    const int n = call.size(1, "n");
    const double* x = call.doubles(0, "x", n);
    const int nodes = call.size(4, "nodes");
    const treeargs::IndexList G = treeargs::indexList(call, prhs, 2);
    const double* ind = treeargs::slicedNodeTable(call, 3, nodes, treeargs::NodeZero::read, G,
                                                  treeargs::positionsOf("x", n));

    // Create the output, compute, deliver.
    mxArray* outputs[1] = {gateway::newMatrix(1, 1)};
    double* value = mxGetPr(outputs[0]);
    call.check(gateway::attempt([&] { general_penaltyValue(value, x, n, G.data, ind, nodes); }));
    call.deliver(plhs, outputs, 1);
}
