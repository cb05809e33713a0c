// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// x = chainDescend(v, n)
#include "chain/chain.hpp"
#include "mex/vector_fit_gateway.hpp"

// The fit forms sums and means of v: a NaN has no place in an order, an infinity makes means
// NaN, and an overflowing sum makes them infinite.
void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]) {
    const gateway::Call call("chainDescend", "x = chainDescend(v, n)", nlhs, nrhs, prhs);
    vectorFitGateway(call, chainDescend, VectorCheck::finiteSum, plhs);
}
