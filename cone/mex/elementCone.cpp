// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// [x, t] = elementCone(v, c, n)
#include "cone/cone.hpp"
#include "mex/gateway.hpp"

void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]) {
    const gateway::Call call("elementCone", "[x, t] = elementCone(v, c, n)", nlhs, nrhs, prhs);

    // Check and get the inputs.
    call.expectArguments(3, 2);
    const int n = call.size(2, "n");
    const double* v = call.doubles(0, "v", n);
    const double* c = call.doubles(1, "c", n);
    // A NaN fails both tests of the cone and would come out as 0.
    call.requireNumbers(v, n, "v");
    call.requireNumbers(c, n, "c");

    // Create the outputs.
    mxArray* outputs[2] = {gateway::newMatrix(n, 1), gateway::newMatrix(n, 1)};

    // Compute.
    double* x = mxGetPr(outputs[0]);
    double* t = mxGetPr(outputs[1]);
    call.check(gateway::attempt([&] { elementCone(x, t, v, c, n); }));

    call.deliver(plhs, outputs, 2);
}
