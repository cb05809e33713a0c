// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// The cone projections on Gaussian data, reported as time per element of the vector part.
// Bounds are Gaussian too, so that the three cases mix.
#include <benchmark/benchmark.h>

#include <random>
#include <vector>

#include "cone/cone.hpp"
#include "tests/support/random.hpp"

namespace {

void perElement(benchmark::State& state, std::size_t n) {
    state.counters["per_element"] = benchmark::Counter(
        static_cast<double>(n), benchmark::Counter::kIsIterationInvariantRate |
                                    benchmark::Counter::kInvert);
}

std::vector<double> data(std::size_t n, unsigned seed) {
    std::mt19937_64 rng(seed);
    return testdata::gaussian(rng, n);
}

void ElementCone(benchmark::State& state) {
    const std::size_t n = static_cast<std::size_t>(state.range(0));
    const std::vector<double> v = data(n, 1), c = data(n, 2);
    std::vector<double> x(n), t(n);
    for (auto _ : state) {
        elementCone(x.data(), t.data(), v.data(), c.data(), static_cast<int>(n));
        benchmark::DoNotOptimize(x.data());
        benchmark::DoNotOptimize(t.data());
    }
    perElement(state, n);
}

// An (n / columns)-by-columns matrix; columns is the second argument.
void RowCone(benchmark::State& state) {
    const std::size_t n = static_cast<std::size_t>(state.range(0));
    const int columns = static_cast<int>(state.range(1));
    const int rows = static_cast<int>(n / columns);
    const std::vector<double> V = data(n, 1), c = data(rows, 2);
    std::vector<double> X(n), t(rows);
    for (auto _ : state) {
        rowCone(X.data(), t.data(), V.data(), c.data(), rows, columns);
        benchmark::DoNotOptimize(X.data());
        benchmark::DoNotOptimize(t.data());
    }
    perElement(state, n);
}

// Consecutive groups of the second argument's size.
void PowerShadowVectorR(benchmark::State& state) {
    const std::size_t n = static_cast<std::size_t>(state.range(0));
    const std::size_t size = static_cast<std::size_t>(state.range(1));
    const int g = static_cast<int>(n / size);
    const std::vector<double> v = data(n, 1), c = data(g, 2);
    std::vector<double> b(g + 1);
    for (int k = 0; k <= g; ++k) b[k] = static_cast<double>(k * size);
    std::vector<double> x(n), t(g);
    for (auto _ : state) {
        powerShadowVectorR(x.data(), t.data(), v.data(), c.data(), b.data(), static_cast<int>(n), g);
        benchmark::DoNotOptimize(x.data());
        benchmark::DoNotOptimize(t.data());
    }
    perElement(state, n);
}

void sizes(benchmark::internal::Benchmark* b, std::vector<long> second) {
    for (long n = 1000; n <= 10000000; n *= 10)
        for (long s : second) b->Args({n, s});
}

BENCHMARK(ElementCone)->RangeMultiplier(10)->Range(1000, 10000000)->Unit(benchmark::kMicrosecond);
BENCHMARK(RowCone)->Apply([](auto* b) { sizes(b, {10, 100}); })->Unit(benchmark::kMicrosecond);
BENCHMARK(PowerShadowVectorR)->Apply([](auto* b) { sizes(b, {10, 100}); })
    ->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
