// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// x = isoHier(fileName, v, rootNumber, n)
#include "monotone/mex/fit_gateway.hpp"

void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]) {
    const gateway::Call call("isoHier", "x = isoHier(fileName, v, rootNumber, n)", nlhs, nrhs,
                             prhs);
    fileTreeGateway(call, isoHier, plhs);
}
