// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// The precision family: sparse inverse covariance by coordinate descent.
#include "tests/fuzz/fuzz_call.hpp"

namespace fuzzcall {
namespace {

// S = A * A' / n + I: a symmetric positive definite covariance.
Array covariance(Decoder& in, int n) {
    std::vector<double> A(static_cast<std::size_t>(n) * n);
    for (double& value : A) value = in.plain();
    std::vector<double> S(A.size());
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j) {
            double sum = i == j ? 1 : 0;
            for (int k = 0; k < n; ++k) sum += A[i + k * n] * A[j + k * n] / n;
            S[i + j * n] = sum;
        }
    return Array::matrix(n, n, S);
}

// [X, W] = precisionLasso(X, W, S, lambda, spare, n, maxIter, tolFun, tolX, maxOuter, tolOuter),
// with iteration limits small enough that no call runs long.
void precisionLasso(Decoder& in, Call& call) {
    const int n = in.between(0, 6);
    call.add(Array::matrix(n, n), Role::inPlace);
    call.add(Array::matrix(n, n), Role::inPlace);
    call.add(covariance(in, n), Role::data);
    call.add(Array::scalar(in.positive() / 8), Role::parameter);
    call.add(Array::scalar(0), Role::parameter);
    call.add(Array::scalar(n), Role::size);
    call.add(Array::scalar(in.between(1, 50)), Role::bounded);
    call.add(Array::scalar(in.below(2) ? -1 : 1e-8), Role::parameter);
    call.add(Array::scalar(1e-10), Role::parameter);
    call.add(Array::scalar(in.between(1, 20)), Role::bounded);
    call.add(Array::scalar(in.below(2) ? -1 : 1e-8), Role::parameter);
    call.nlhs = in.between(0, 2);
}

const std::vector<Recipe> recipes = {{"precisionLasso", precisionLasso}};

}  // namespace
}  // namespace fuzzcall

SPARSEMEX_FUZZ_FAMILY(fuzzcall::recipes)
