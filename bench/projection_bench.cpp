// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// The projection routines on Gaussian data, reported as time per element.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

#include "bench/l1ball_condat.hpp"
#include "bench/side_by_side.hpp"
#include "projection/projection.hpp"
#include "tests/support/random.hpp"
#include "tests/support/references.hpp"

namespace {

void perElement(benchmark::State& state, std::size_t n) {
    state.counters["per_element"] =
        benchmark::Counter(static_cast<double>(n), benchmark::Counter::kIsIterationInvariantRate |
                                                       benchmark::Counter::kInvert);
}

// Gaussian data of the benchmark's size and a tenth of its L1 norm, the radius.
std::vector<double> gaussianData(const benchmark::State& state, double* radius) {
    std::mt19937_64 rng(1);
    const std::vector<double> v = testdata::gaussian(rng, static_cast<std::size_t>(state.range(0)));
    double l1 = 0;
    for (double value : v) l1 += std::fabs(value);
    *radius = 0.1 * l1;
    return v;
}

void SimplexShadow(benchmark::State& state) {
    double z;
    const std::vector<double> v = gaussianData(state, &z);
    const std::size_t n = v.size();
    std::vector<double> x(n);
    double root;
    int steps = 0;
    for (auto _ : state) {
        simplexShadow(x.data(), &root, &steps, v.data(), static_cast<int>(n), z, 0);
        benchmark::DoNotOptimize(x.data());
    }
    state.counters["steps"] = steps;
    perElement(state, n);
}

// The same projection by sorting the magnitudes, for comparison.
void SortBasedProjection(benchmark::State& state) {
    double z;
    const std::vector<double> v = gaussianData(state, &z);
    for (auto _ : state) benchmark::DoNotOptimize(reference::l1BallProjection(v, z));
    perElement(state, v.size());
}

// simplexShadow and Condat's algorithm side by side on the same Gaussian data, with the
// radius 1 (argument 0) or a tenth of the L1 norm (argument 1).
void SimplexShadowVsCondat(benchmark::State& state) {
    double z;
    const std::vector<double> v = gaussianData(state, &z);
    if (state.range(1) == 0) z = 1;
    const std::size_t n = v.size();
    std::vector<double> ours(n), theirs(n), work(n);
    double root;
    int steps;
    simplexShadow(ours.data(), &root, &steps, v.data(), static_cast<int>(n), z, 0);
    const double threshold = peer::condatL1Ball(theirs.data(), work.data(), v.data(), n, z);
    if (!(std::fabs(threshold - root) <= 1e-6 * root)) {
        state.SkipWithError("the two projections disagree");
        return;
    }
    sidebyside::run(
        state, n,
        [&] {
            simplexShadow(ours.data(), &root, &steps, v.data(), static_cast<int>(n), z, 0);
            benchmark::DoNotOptimize(ours.data());
        },
        [&] {
            benchmark::DoNotOptimize(
                peer::condatL1Ball(theirs.data(), work.data(), v.data(), n, z));
        });
}

// The q-norm of v, q the dual exponent of p (the L1 norm for the infinity norm).
double dualNorm(const std::vector<double>& v, double p) {
    const double q = p >= 1e6 ? 1 : p / (p - 1);
    double s = 0;
    for (double value : v) s += std::pow(std::fabs(value), q);
    return std::pow(s, 1 / q);
}

// Exponents are benchmark arguments in tenths: 15 for p = 1.5, 0 for the infinity norm.
double exponentOf(std::int64_t tenths) {
    return tenths == 0 ? 1e6 : static_cast<double>(tenths) / 10;
}

// The norm shadow with a weight of a tenth of the dual norm of v.

void PowerShadow(benchmark::State& state) {
    std::mt19937_64 rng(1);
    const std::vector<double> v = testdata::gaussian(rng, static_cast<std::size_t>(state.range(0)));
    const double p = exponentOf(state.range(1));
    const double rho = 0.1 * dualNorm(v, p);
    const std::size_t n = v.size();
    std::vector<double> x(n);
    double c;
    int iterSteps[2] = {0, 0};
    for (auto _ : state) {
        powerShadow(x.data(), &c, iterSteps, v.data(), static_cast<int>(n), rho, p, 0);
        benchmark::DoNotOptimize(x.data());
    }
    state.counters["iterations"] = iterSteps[0];
    state.counters["newton_steps"] = iterSteps[1];
    perElement(state, n);
}

// The norm shadow of every row of a 1000-by-1000 matrix, the weight a tenth of the dual norm
// of the first row.
void PowerShadowMatrix(benchmark::State& state) {
    const int m = 1000, n = 1000;
    std::mt19937_64 rng(1);
    const std::vector<double> V = testdata::gaussian(rng, static_cast<std::size_t>(m) * n);
    const double p = exponentOf(state.range(0));
    std::vector<double> firstRow(n);
    for (int j = 0; j < n; ++j) firstRow[j] = V[static_cast<std::size_t>(j) * m];
    const double rho = 0.1 * dualNorm(firstRow, p);
    std::vector<double> X(V.size());
    for (auto _ : state) {
        powerShadowMatrix(X.data(), V.data(), m, n, rho, p);
        benchmark::DoNotOptimize(X.data());
    }
    perElement(state, V.size());
}

BENCHMARK(SimplexShadow)->RangeMultiplier(10)->Range(1000, 10000000)->Unit(benchmark::kMicrosecond);
BENCHMARK(SortBasedProjection)
    ->RangeMultiplier(10)
    ->Range(1000, 10000000)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(SimplexShadowVsCondat)
    ->ArgsProduct({{1000, 100000, 1000000, 3000000, 10000000}, {0, 1}})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(PowerShadow)
    ->ArgsProduct({{1000, 10000, 100000, 1000000}, {15, 30, 0}})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(PowerShadowMatrix)->Arg(15)->Arg(30)->Arg(0)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
