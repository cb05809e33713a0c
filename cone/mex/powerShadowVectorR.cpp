// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// [x, t] = powerShadowVectorR(v, c, b, n, g)
#include <cstddef>

#include "cone/cone.hpp"
#include "cone/groups.hpp"
#include "mex/gateway.hpp"

void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]) {
    const gateway::Call call("powerShadowVectorR", "[x, t] = powerShadowVectorR(v, c, b, n, g)",
                             nlhs, nrhs, prhs);

    // Check and get the inputs. Without groups the table is not read, so it may be empty.
    call.expectArguments(5, 2);
    const int n = call.size(3, "n");
    const int g = call.size(4, "g");
    const double* v = call.doubles(0, "v", n);
    const double* c = call.doubles(1, "c", g);
    const double* b = call.doubles(2, "b", g > 0 ? static_cast<std::ptrdiff_t>(g) + 1 : 0);
    // A NaN fails both tests of the cone and would come out as 0.
    call.requireNumbers(v, n, "v");
    call.requireNumbers(c, g, "c");
    const int stray = firstGroupOutsideByEnds(b, g, n);
    if (stray >= 0)
        call.fail(reason::groupOutOfRange,
                  "group %d, from b(%d) = %g to b(%d) = %g, reaches outside the %d elements of "
                  "v (boundaries are 0-based: a group covers b(k) to b(k+1) - 1)",
                  stray + 1, stray + 1, b[stray], stray + 2, b[stray + 1], n);

    // Create the outputs.
    mxArray* outputs[2] = {gateway::newMatrix(n, 1), gateway::newMatrix(g, 1)};

    // Compute.
    double* x = mxGetPr(outputs[0]);
    double* t = mxGetPr(outputs[1]);
    call.check(gateway::attempt([&] { powerShadowVectorR(x, t, v, c, b, n, g); }));

    call.deliver(plhs, outputs, 2);
}
