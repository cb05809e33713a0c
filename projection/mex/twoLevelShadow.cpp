// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// [X, N] = twoLevelShadow(V, m, n, lambda1, lambda2, mode)
#include <cstddef>

#include "mex/gateway.hpp"
#include "projection/mex/inputs.hpp"
#include "projection/projection.hpp"

void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]) {
    const gateway::Call call("twoLevelShadow",
                             "[X, N] = twoLevelShadow(V, m, n, lambda1, lambda2, mode)", nlhs, nrhs,
                             prhs);

    // Check and get the inputs; the routine checks that both weights are nonnegative.
    call.expectArguments(6, 2);
    const gateway::Matrix in = call.matrix(0, "V", 1, "m", 2, "n");
    const double lambda1 = call.scalar(3, "lambda1");
    const double lambda2 = call.scalar(4, "lambda2");
    const int mode = call.integer(5, "mode");
    projectionInputs::requireNumber(call, lambda1, "lambda1");
    projectionInputs::requireNumber(call, lambda2, "lambda2");
    // A NaN passes no thresholding test and would come out as 0.
    call.requireNumbers(in.data, in.size(), "V");
    // The infinity mode runs the L1-ball search on every row.
    if (mode != 2) projectionInputs::requireSearchableRows(call, in.data, in.rows, in.cols, "V");

    // Create the outputs.
    mxArray* outputs[2] = {gateway::newMatrix(in.rows, in.cols), gateway::newMatrix(1, 2)};
    double* X = mxGetPr(outputs[0]);
    double* N = mxGetPr(outputs[1]);

    // Compute.
    call.check(
        gateway::attempt([&] {
            twoLevelShadow(X, N, in.data, in.rows, in.cols, lambda1, lambda2, mode);
        }));

    call.deliver(plhs, outputs, 2);
}
