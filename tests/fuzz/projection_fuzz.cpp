// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// The projection family: L1-ball projection and the Lp-norm shadows.
#include "tests/fuzz/fuzz_call.hpp"

namespace fuzzcall {
namespace {

// The closed forms, the infinity norm and the general-p search.
double exponent(Decoder& in) {
    static const double values[] = {1, 2, 1.5, 3, 1.05, 10, 1e6, 2.5, 20, 1.2};
    return values[in.below(10)];
}

void vectorCall(Decoder& in, Call& call, double parameter) {
    const int n = in.between(0, 24);
    addColumn(in, call, n);
    call.add(Array::scalar(in.positive()), Role::parameter);
    if (parameter != 0) call.add(Array::scalar(parameter), Role::parameter);
    call.add(Array::scalar(in.positive()), Role::parameter);
    call.nlhs = in.between(0, 3);
}

// [x, root, steps] = simplexShadow(v, n, z, lambda0)
void simplexShadow(Decoder& in, Call& call) { vectorCall(in, call, 0); }

// [x, c, steps] = powerShadow(v, n, rho, p, c0)
void powerShadow(Decoder& in, Call& call) { vectorCall(in, call, exponent(in)); }

// x = powerShadowVector(v, b, g, n, rho, p)
void powerShadowVector(Decoder& in, Call& call) {
    const int n = in.between(0, 24);
    int g = 0;
    Array b = boundaries(in, n, g);
    call.add(plainColumn(in, n), Role::data);
    call.add(std::move(b), Role::data);
    call.add(Array::scalar(g), Role::size);
    call.add(Array::scalar(n), Role::size);
    std::vector<double> rho(g);
    for (double& weight : rho) weight = in.positive();
    call.add(Array::column(rho), Role::data);
    call.add(Array::scalar(exponent(in)), Role::parameter);
}

// Calls of the form (V, m, n, parameters...).
void matrixCall(Decoder& in, Call& call, int parameters) {
    const int m = in.between(0, 6), n = in.between(0, 8);
    addMatrix(in, call, m, n);
    for (int k = 0; k < parameters; ++k) call.add(Array::scalar(in.positive()), Role::parameter);
}

// X = powerShadowMatrix(V, m, n, rho, p)
void powerShadowMatrix(Decoder& in, Call& call) {
    matrixCall(in, call, 1);
    call.add(Array::scalar(exponent(in)), Role::parameter);
}

// [X, lambda, steps] = mixedShadow(V, m, n, z, lambda0)
void mixedShadow(Decoder& in, Call& call) {
    matrixCall(in, call, 2);
    call.nlhs = in.between(0, 3);
}

// [X, N] = twoLevelShadow(V, m, n, lambda1, lambda2, mode)
void twoLevelShadow(Decoder& in, Call& call) {
    matrixCall(in, call, 2);
    call.add(Array::scalar(in.between(1, 3)), Role::parameter);
    call.nlhs = in.between(0, 2);
}

const std::vector<Recipe> recipes = {
    {"simplexShadow", simplexShadow},         {"powerShadow", powerShadow},
    {"powerShadowVector", powerShadowVector}, {"powerShadowMatrix", powerShadowMatrix},
    {"mixedShadow", mixedShadow},             {"twoLevelShadow", twoLevelShadow},
};

}  // namespace
}  // namespace fuzzcall

SPARSEMEX_FUZZ_FAMILY(fuzzcall::recipes)
