// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// x = chainAscend(v, n)
#include "chain/chain.hpp"
#include "chain/mex/chain_gateway.hpp"

void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]) {
    chainGateway("chainAscend", "x = chainAscend(v, n)", chainAscend, nlhs, plhs, nrhs, prhs);
}
