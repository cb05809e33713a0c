// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// [X, lambda, steps] = mixedShadow(V, m, n, z, lambda0)
#include <cstddef>

#include "mex/gateway.hpp"
#include "projection/mex/inputs.hpp"
#include "projection/projection.hpp"

void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]) {
    const gateway::Call call("mixedShadow", "[X, lambda, steps] = mixedShadow(V, m, n, z, lambda0)",
                             nlhs, nrhs, prhs);

    // Check and get the inputs; the routine checks z >= 0 and that the row norms sum finitely.
    call.expectArguments(5, 3);
    const gateway::Matrix in = call.matrix(0, "V", 1, "m", 2, "n");
    const double z = call.scalar(3, "z");
    const double lambda0 = call.scalar(4, "lambda0");
    call.requireFinite(in.data, in.size(), "V");
    projectionInputs::requireNumber(call, z, "z");

    // Create the outputs; the iteration count is an int32 scalar.
    mxArray* outputs[3] = {gateway::newMatrix(in.rows, in.cols), gateway::newMatrix(1, 1),
                           gateway::newInt32Scalar()};
    double* X = mxGetPr(outputs[0]);
    double* lambda = mxGetPr(outputs[1]);
    int* steps = static_cast<int*>(mxGetData(outputs[2]));

    // Compute.
    call.check(
        gateway::attempt([&] {
            mixedShadow(X, lambda, steps, in.data, in.rows, in.cols, z, lambda0);
        }));

    call.deliver(plhs, outputs, 3);
}
