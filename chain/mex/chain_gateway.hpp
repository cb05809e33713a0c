// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// The gateway of both chain modules, x = <module>(v, n); they differ only in the routine.
#pragma once

#include "host/gateway.hpp"

using ChainFit = void (*)(double* x, const double* v, int n);

inline void chainGateway(const char* module, const char* usage, ChainFit fit, int nlhs,
                         mxArray* plhs[], int nrhs, const mxArray* prhs[]) {
    const gateway::Call call(module, usage, nlhs, nrhs, prhs);

    // Check and get the inputs. The fit forms sums and means of v: a NaN has no place in an
    // order, an infinity makes means NaN, and an overflowing sum makes them infinite.
    call.expectArguments(2, 1);
    const int n = call.size(1, "n");
    const double* v = call.doubles(0, "v", n);
    call.requireFiniteSum(v, n, 1, "v");

    // Create the output.
    mxArray* outputs[1] = {gateway::newMatrix(n, 1)};
    double* x = mxGetPr(outputs[0]);

    // Compute. A failure (n = 0 in chainAscend, no memory) is raised after the routine's scope.
    call.check(gateway::attempt([&] { fit(x, v, n); }));

    call.deliver(plhs, outputs, 1);
}
