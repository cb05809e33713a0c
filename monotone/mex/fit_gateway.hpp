// The gateways of the ordered-tree modules: the two file-tree modules differ only in the
// routine they call, and so do the two shape modules.
#pragma once

#include "host/gateway.hpp"
#include "monotone/monotone.hpp"

using FileTreeFit = void (*)(double* x, const char* fileName, const double* v, int rootNumber,
                             int n);
using ShapeFit = void (*)(double* x, const double* v, int n);

// x = module(fileName, v, rootNumber, n)
inline void fileTreeGateway(const gateway::Call& call, FileTreeFit fit, mxArray* plhs[]) {
    // Check and get the inputs. The root is checked by the routine, after the file.
    call.expectArguments(4, 1);
    const int n = call.size(3, "n");
    const double* v = call.doubles(1, "v", n);
    call.requireFinite(v, n, "v");
    const int rootNumber = call.integer(2, "rootNumber");
    const char* fileName = call.string(0, "fileName");

    // Create the output, compute, return it.
    mxArray* outputs[1] = {gateway::newMatrix(n, 1)};
    double* x = mxGetPr(outputs[0]);
    call.check(gateway::attempt([&] { fit(x, fileName, v, rootNumber, n); }));
    call.deliver(plhs, outputs, 1);
}

// x = module(v, n)
inline void shapeGateway(const gateway::Call& call, ShapeFit fit, mxArray* plhs[]) {
    // Check and get the inputs. With n = 0 nothing of v is read.
    call.expectArguments(2, 1);
    const int n = call.size(1, "n");
    const double* v = call.doubles(0, "v", n);
    call.requireFinite(v, n, "v");

    // Create the output, compute, return it.
    mxArray* outputs[1] = {gateway::newMatrix(n, 1)};
    double* x = mxGetPr(outputs[0]);
    call.check(gateway::attempt([&] { fit(x, v, n); }));
    call.deliver(plhs, outputs, 1);
}
