// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// [x, root, steps] = simplexShadow(v, n, z, lambda0)
#include "mex/gateway.hpp"
#include "projection/mex/inputs.hpp"
#include "projection/projection.hpp"

void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]) {
    const gateway::Call call("simplexShadow", "[x, root, steps] = simplexShadow(v, n, z, lambda0)",
                             nlhs, nrhs, prhs);

    // Check and get the inputs.
    call.expectArguments(4, 3);
    const int n = call.size(1, "n");
    const double* v = call.doubles(0, "v", n);
    const double z = call.scalar(2, "z");
    const double lambda0 = call.scalar(3, "lambda0");
    // The routine checks v in the pass that sums it; before the checks of z, v is checked
    // here, so that the first fault named is the same either way.
    if (!(z >= 0)) call.requireFiniteSum(v, n, 1, "v");
    projectionInputs::requireNumber(call, z, "z");

    // Create the outputs.
    mxArray* outputs[3] = {gateway::newMatrix(n, 1), gateway::newMatrix(1, 1),
                           gateway::newMatrix(1, 1)};

    // Compute. A negative radius prints its message and leaves the outputs unwritten.
    int steps = 0;
    double* x = mxGetPr(outputs[0]);
    double* root = mxGetPr(outputs[1]);
    call.check(gateway::attempt([&] { simplexShadow(x, root, &steps, v, n, z, lambda0); }));
    if (z < 0) call.fail(reason::negativeRadius, "the radius z must be nonnegative, got %g", z);
    *mxGetPr(outputs[2]) = steps;

    call.deliver(plhs, outputs, 3);
}
