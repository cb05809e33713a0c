// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// x = chainDescend(v, n)
#include "chain/chain.hpp"
#include "chain/mex/chain_gateway.hpp"

void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]) {
    chainGateway("chainDescend", "x = chainDescend(v, n)", chainDescend, nlhs, plhs, nrhs, prhs);
}
