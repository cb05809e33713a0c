// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// x = isoHierDepth1(v, n)
#include "mex/vector_fit_gateway.hpp"
#include "monotone/monotone.hpp"

void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]) {
    const gateway::Call call("isoHierDepth1", "x = isoHierDepth1(v, n)", nlhs, nrhs, prhs);
    vectorFitGateway(call, isoHierDepth1, VectorCheck::finite, plhs);
}
