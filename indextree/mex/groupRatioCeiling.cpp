// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// value = groupRatioCeiling(x, n, ind, nodes)
#include "mex/gateway.hpp"
#include "indextree/indextree.hpp"
#include "treetable/mex/tree_arguments.hpp"

void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]) {
    const gateway::Call call("groupRatioCeiling", "value = groupRatioCeiling(x, n, ind, nodes)",
                             nlhs, nrhs, prhs);

    // Check and get the inputs.
    call.expectArguments(4, 1);
    const int n = call.size(1, "n");
    const double* x = call.doubles(0, "x", n);
    // The largest ratio passes NaN ratios over, so a NaN would vanish from the answer.
    call.requireNumbers(x, n, "x");
    const int nodes = call.size(3, "nodes");
    const double* ind = treeargs::nodeTable(call, 2, nodes, treeargs::NodeZero::unread,
                                            treeargs::positionsOf("x", n));

    // Create the output, compute, deliver.
    mxArray* outputs[1] = {gateway::newMatrix(1, 1)};
    double* value = mxGetPr(outputs[0]);
    call.check(gateway::attempt([&] { groupRatioCeiling(value, x, n, ind, nodes); }));
    call.deliver(plhs, outputs, 1);
}
