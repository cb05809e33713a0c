// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// x = isoHierBinary(v, n)
#include "mex/vector_fit_gateway.hpp"
#include "monotone/monotone.hpp"

void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]) {
    const gateway::Call call("isoHierBinary", "x = isoHierBinary(v, n)", nlhs, nrhs, prhs);
    vectorFitGateway(call, isoHierBinary, VectorCheck::finite, plhs);
}
