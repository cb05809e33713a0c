// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// [X, W] = precisionLasso(X, W, S, lambda, spare, n, maxIter, tolFun, tolX, maxOuter, tolOuter)
//
// Writes the estimates into the data of its first two inputs, and returns copies of them when
// outputs are requested.
#include <cmath>
#include <cstdint>
#include <cstring>

#include "mex/gateway.hpp"
#include "precision/covariance_symmetry.hpp"
#include "precision/precision.hpp"

namespace {

// Whether the first `count` elements of a and b share memory (compared as addresses, since
// the arrays are distinct objects).
bool overlap(const double* a, const double* b, std::ptrdiff_t count) {
    const std::uintptr_t x = reinterpret_cast<std::uintptr_t>(a);
    const std::uintptr_t y = reinterpret_cast<std::uintptr_t>(b);
    const std::uintptr_t bytes = static_cast<std::uintptr_t>(count) * sizeof(double);
    return count > 0 && x < y + bytes && y < x + bytes;
}

// A covariance that the lasso steps cannot invert (no penalty on a singular S) divides by
// zero: the estimate is then not finite.
void requireInvertible(const gateway::Call& call, double* const estimate[2], std::ptrdiff_t count) {
    for (int k = 0; k < 2; ++k)
        for (std::ptrdiff_t at = 0; at < count; ++at)
            if (!std::isfinite(estimate[k][at]))
                call.fail(reason::notInvertible,
                          "the estimate of %s is not finite (element %lld is %g): W = S + "
                          "lambda*I cannot be inverted; a positive lambda makes it invertible",
                          k == 0 ? "X" : "W", static_cast<long long>(at) + 1, estimate[k][at]);
}

}  // namespace

void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]) {
    const gateway::Call call(
        "precisionLasso",
        "[X, W] = precisionLasso(X, W, S, lambda, spare, n, maxIter, tolFun, tolX, maxOuter, "
        "tolOuter)",
        nlhs, nrhs, prhs);

    // Check and get the inputs.
    call.expectArguments(11, 2);
    const int n = call.size(5, "n");
    const std::ptrdiff_t count = static_cast<std::ptrdiff_t>(n) * n;
    double* X = call.writableDoubles(0, "X", count);
    double* W = call.writableDoubles(1, "W", count);
    const double* S = call.doubles(2, "S", count);
    const double lambda = call.scalar(3, "lambda");
    const int spare = call.integer(4, "spare");
    const int maxIter = call.integer(6, "maxIter");
    const double tolFun = call.scalar(7, "tolFun");
    const double tolX = call.scalar(8, "tolX");
    const int maxOuter = call.integer(9, "maxOuter");
    const double tolOuter = call.scalar(10, "tolOuter");
    call.requireFinite(S, count, "S");
    call.check(gateway::attempt([&] { requireSymmetricCovariance(S, n); }));
    call.requireFinite(&lambda, 1, "lambda");
    if (lambda < 0)
        call.fail(reason::negativePenalty, "lambda must be nonnegative, got %g", lambda);
    if (overlap(X, W, count) || overlap(X, S, count) || overlap(W, S, count))
        call.fail(reason::sharedData,
                  "X, W and S must be separate arrays, but two of them share their data (in "
                  "Octave and MATLAB, B = A makes B share A's data): create X and W with "
                  "zeros(n) just before the call");

    // The progress lines, unless the caller turned them off with
    // warning('off', 'precisionLasso:progress').
    const bool printProgress = gateway::warningEnabled("precisionLasso:progress");

    // Compute into scratch matrices (the outputs where they are requested), so that X and W
    // keep their contents on every failure; the host releases the scratch with the call.
    const int returned = nlhs < 2 ? nlhs : 2;
    mxArray* scratch[2] = {gateway::newMatrix(n, n), gateway::newMatrix(n, n)};
    double* estimate[2] = {mxGetPr(scratch[0]), mxGetPr(scratch[1])};
    call.check(gateway::attempt([&] {
        precisionSweep(estimate[0], estimate[1], S, lambda, spare, n, maxIter, tolFun, tolX,
                       maxOuter, tolOuter, printProgress);
    }));
    requireInvertible(call, estimate, count);

    // Write in place and return the copies (with n = 0 there is nothing to copy, and the data
    // may be null).
    double* targets[2] = {X, W};
    for (int k = 0; k < 2 && count > 0; ++k)
        std::memcpy(targets[k], estimate[k], static_cast<std::size_t>(count) * sizeof(double));
    for (int k = returned; k < 2; ++k) mxDestroyArray(scratch[k]);
    call.deliver(plhs, scratch, returned);
}
