// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// x = powerShadowVector(v, b, g, n, rho, p)
#include <cstddef>
#include <cstdio>

#include "mex/gateway.hpp"
#include "projection/group_table.hpp"
#include "projection/mex/inputs.hpp"
#include "projection/projection.hpp"

void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]) {
    const gateway::Call call("powerShadowVector", "x = powerShadowVector(v, b, g, n, rho, p)", nlhs,
                             nrhs, prhs);

    // Check and get the inputs; the routine checks every rho >= 0 and p >= 1 before it starts.
    call.expectArguments(6, 1);
    const int g = call.size(2, "g");
    const int n = call.size(3, "n");
    const double* v = call.doubles(0, "v", n);
    const double* b = call.doubles(1, "b", g > 0 ? std::ptrdiff_t{g} + 1 : 0);
    const double* rho = call.doubles(4, "rho", g);
    const double p = call.scalar(5, "p");
    const int misplaced = firstGroupOutsideByLength(b, g, n);
    if (misplaced >= 0)
        call.fail(reason::groupOutOfRange,
                  "group %d, from b(%d) = %g to b(%d) = %g, must lie inside 0..n-1 = 0..%d "
                  "with a nonnegative length",
                  misplaced + 1, misplaced + 1, b[misplaced], misplaced + 2, b[misplaced + 1],
                  n - 1);
    call.requireNumbers(rho, g, "rho");
    if (projectionInputs::shadowSearches(p)) {
        const valuecheck::PieceFinding bad = firstGroupWithoutFiniteSum(v, b, g);
        if (bad.piece >= 0) {
            char what[48];
            std::snprintf(what, sizeof what, "group %lld of v", bad.piece + 1);
            const double* group = v + groupOfTable(b, static_cast<int>(bad.piece)).start;
            call.fail(valuecheck::finiteSumFailureIn(what, group, 1, bad.found));
        }
    }

    // Create the output: elements outside every group stay 0.
    mxArray* outputs[1] = {gateway::newMatrix(n, 1)};
    double* x = mxGetPr(outputs[0]);

    // Compute.
    call.check(gateway::attempt([&] { powerShadowVector(x, v, b, g, n, rho, p); }));

    call.deliver(plhs, outputs, 1);
}
