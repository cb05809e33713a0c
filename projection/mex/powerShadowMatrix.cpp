// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// X = powerShadowMatrix(V, m, n, rho, p)
#include <cstddef>

#include "mex/gateway.hpp"
#include "projection/mex/inputs.hpp"
#include "projection/projection.hpp"

void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]) {
    const gateway::Call call("powerShadowMatrix", "X = powerShadowMatrix(V, m, n, rho, p)", nlhs,
                             nrhs, prhs);

    // Check and get the inputs; the routine checks rho >= 0 and p >= 1 before it starts.
    call.expectArguments(5, 1);
    const gateway::Matrix in = call.matrix(0, "V", 1, "m", 2, "n");
    const double rho = call.scalar(3, "rho");
    const double p = call.scalar(4, "p");
    projectionInputs::requireNumber(call, rho, "rho");
    if (projectionInputs::shadowSearches(p))
        projectionInputs::requireSearchableRows(call, in.data, in.rows, in.cols, "V");

    // Create the output.
    mxArray* outputs[1] = {gateway::newMatrix(in.rows, in.cols)};
    double* X = mxGetPr(outputs[0]);

    // Compute.
    call.check(gateway::attempt([&] { powerShadowMatrix(X, in.data, in.rows, in.cols, rho, p); }));

    call.deliver(plhs, outputs, 1);
}
