// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// [X, t] = rowCone(V, c, m, n)

#include "cone/cone.hpp"
#include "mex/gateway.hpp"

void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]) {
    const gateway::Call call("rowCone", "[X, t] = rowCone(V, c, m, n)", nlhs, nrhs, prhs);

    // Check and get the inputs.
    call.expectArguments(4, 2);
    const gateway::Matrix in = call.matrix(0, "V", 2, "m", 3, "n");
    const double* V = in.data;
    const int m = in.rows;
    const int n = in.cols;
    const double* c = call.doubles(1, "c", m);
    // A NaN fails both tests of the cone and would come out as 0.
    call.requireNumbers(V, in.size(), "V");
    call.requireNumbers(c, m, "c");

    // Create the outputs.
    mxArray* outputs[2] = {gateway::newMatrix(m, n), gateway::newMatrix(m, 1)};

    // Compute.
    double* X = mxGetPr(outputs[0]);
    double* t = mxGetPr(outputs[1]);
    call.check(gateway::attempt([&] { rowCone(X, t, V, c, m, n); }));

    call.deliver(plhs, outputs, 2);
}
