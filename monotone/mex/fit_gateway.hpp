// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// The gateway of the two file-tree modules, which differ only in the routine they call (the
// shape modules use mex/vector_fit_gateway.hpp).
#pragma once

#include <cmath>
#include <cstdio>
#include <cstring>

#include "mex/gateway.hpp"
#include "monotone/monotone.hpp"

using FileTreeFit = void (*)(double* x, const char* fileName, const double* v, int rootNumber,
                             int n);

// x = module(fileName, v, rootNumber, n)
inline void fileTreeGateway(const gateway::Call& call, FileTreeFit fit, mxArray* plhs[]) {
    // Check and get the inputs. The root is checked by the routine, after the file.
    call.expectArguments(4, 1);
    const int n = call.size(3, "n");
    const double* v = call.doubles(1, "v", n);
    call.requireFinite(v, n, "v");
    const double rootValue = call.scalar(2, "rootNumber");
    const int rootNumber = gateway::truncateToInt(rootValue);
    const char* fileName = call.string(0, "fileName");

    // Create the output, compute, return it.
    mxArray* outputs[1] = {gateway::newMatrix(n, 1)};
    double* x = mxGetPr(outputs[0]);
    gateway::Failure failure = gateway::attempt([&] { fit(x, fileName, v, rootNumber, n); });
    // The routine sees the root as an int: name the value that the caller gave (NaN, 1e10).
    if (failure.failed && std::strcmp(failure.reason, reason::rootOutOfRange) == 0)
        std::isnan(rootValue)
            ? std::snprintf(failure.message, sizeof failure.message,
                            "the root node number NaN is outside 1..%d", n)
            : std::snprintf(failure.message, sizeof failure.message,
                            "the root node number %.17g is outside 1..%d", rootValue, n);
    call.check(failure);
    call.deliver(plhs, outputs, 1);
}
