// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// [x, c, steps] = powerShadow(v, n, rho, p, c0)
#include "mex/gateway.hpp"
#include "projection/mex/inputs.hpp"
#include "projection/projection.hpp"

void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]) {
    const gateway::Call call("powerShadow", "[x, c, steps] = powerShadow(v, n, rho, p, c0)", nlhs,
                             nrhs, prhs);

    // Check and get the inputs; the routine checks rho >= 0 and p >= 1 before it starts.
    call.expectArguments(5, 3);
    const int n = call.size(1, "n");
    const double* v = call.doubles(0, "v", n);
    const double rho = call.scalar(2, "rho");
    const double p = call.scalar(3, "p");
    const double c0 = call.scalar(4, "c0");
    projectionInputs::requireNumber(call, rho, "rho");
    if (projectionInputs::shadowSearches(p))
        call.requireFiniteSum(v, n, 1, "v");

    // Create the outputs.
    mxArray* outputs[3] = {gateway::newMatrix(n, 1), gateway::newMatrix(1, 1),
                           gateway::newMatrix(1, 1)};
    double* x = mxGetPr(outputs[0]);
    double* c = mxGetPr(outputs[1]);

    // Compute.
    int iterSteps[2] = {0, 0};
    call.check(gateway::attempt([&] { powerShadow(x, c, iterSteps, v, n, rho, p, c0); }));
    *mxGetPr(outputs[2]) = iterSteps[0];

    call.deliver(plhs, outputs, 3);
}
