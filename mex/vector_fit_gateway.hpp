// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// The gateway of the modules x = module(v, n) that fit n values v: they differ only in the
// routine and in how much they ask of v.
#pragma once

#include "mex/gateway.hpp"

using VectorFit = void (*)(double* x, const double* v, int n);

// What v must be: finite, or also with a finite sum of magnitudes, for the routines that form
// sums and means of v (an overflowing sum would make them infinite).
enum class VectorCheck { finite, finiteSum };

inline void vectorFitGateway(const gateway::Call& call, VectorFit fit, VectorCheck check,
                             mxArray* plhs[]) {
    // Check and get the inputs. With n = 0 nothing of v is read.
    call.expectArguments(2, 1);
    const int n = call.size(1, "n");
    const double* v = call.doubles(0, "v", n);
    if (check == VectorCheck::finiteSum)
        call.requireFiniteSum(v, n, 1, "v");
    else
        call.requireFinite(v, n, "v");

    // Create the output.
    mxArray* outputs[1] = {gateway::newMatrix(n, 1)};
    double* x = mxGetPr(outputs[0]);

    // Compute. A failure (an empty v where the routine needs one, no memory) is raised after
    // the routine's scope.
    call.check(gateway::attempt([&] { fit(x, v, n); }));

    call.deliver(plhs, outputs, 1);
}
