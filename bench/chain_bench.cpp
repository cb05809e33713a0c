// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// The chain fits, reported as time per element.
//
// Typical data: a falling trend with Gaussian noise, v_i = 2 - 4 i / n + N(0, 1), whose fit
// has few blocks. Worst case of chainDescend: a strictly decreasing positive sequence, whose
// fit has n blocks of one element each; every block rescans the rest, so the time per element
// grows linearly with n (quadratic in total).
#include <benchmark/benchmark.h>

#include <cmath>
#include <random>
#include <vector>

#include "bench/isotonic_pava.hpp"
#include "bench/side_by_side.hpp"
#include "chain/chain.hpp"
#include "tests/support/random.hpp"

namespace {

void perElement(benchmark::State& state, std::size_t n) {
    state.counters["per_element"] = benchmark::Counter(
        static_cast<double>(n), benchmark::Counter::kIsIterationInvariantRate |
                                    benchmark::Counter::kInvert);
}

std::vector<double> fallingTrendWithNoise(std::size_t n) {
    std::mt19937_64 rng(1);
    std::vector<double> v = testdata::gaussian(rng, n);
    for (std::size_t i = 0; i < n; ++i) v[i] += 2.0 - 4.0 * static_cast<double>(i) / n;
    return v;
}

std::vector<double> strictlyDecreasing(std::size_t n) {
    std::vector<double> v(n);
    for (std::size_t i = 0; i < n; ++i) v[i] = static_cast<double>(n - i);
    return v;
}

template <void (*Fit)(double*, const double*, int), std::vector<double> (*Data)(std::size_t)>
void run(benchmark::State& state) {
    const std::vector<double> v = Data(static_cast<std::size_t>(state.range(0)));
    std::vector<double> x(v.size());
    for (auto _ : state) {
        Fit(x.data(), v.data(), static_cast<int>(v.size()));
        benchmark::DoNotOptimize(x.data());
    }
    perElement(state, v.size());
}

// chainAscend and a pool-adjacent-violators fit side by side on the same data, each writing
// into an array that the caller keeps.
template <std::vector<double> (*Data)(std::size_t)>
void versusPava(benchmark::State& state) {
    const std::vector<double> v = Data(static_cast<std::size_t>(state.range(0)));
    std::vector<double> ours(v.size()), theirs(v.size());
    std::vector<int> lengths(v.size());
    chainAscend(ours.data(), v.data(), static_cast<int>(v.size()));
    peer::pavaNonincreasing(theirs.data(), lengths.data(), v.data(), v.size());
    for (std::size_t i = 0; i < v.size(); ++i) {
        if (!(std::fabs(ours[i] - theirs[i]) <= 1e-9 * (1 + std::fabs(ours[i])))) {
            state.SkipWithError("the two fits disagree");
            return;
        }
    }
    sidebyside::run(
        state, v.size(),
        [&] {
            chainAscend(ours.data(), v.data(), static_cast<int>(v.size()));
            benchmark::DoNotOptimize(ours.data());
        },
        [&] {
            peer::pavaNonincreasing(theirs.data(), lengths.data(), v.data(), v.size());
            benchmark::DoNotOptimize(theirs.data());
        });
}

BENCHMARK(versusPava<fallingTrendWithNoise>)->Name("ChainAscendVsPava/trend")
    ->RangeMultiplier(10)->Range(1000, 10000000)->Unit(benchmark::kMicrosecond);
BENCHMARK(versusPava<strictlyDecreasing>)->Name("ChainAscendVsPava/decreasing")
    ->RangeMultiplier(10)->Range(1000, 10000000)->Unit(benchmark::kMicrosecond);

BENCHMARK(run<chainAscend, fallingTrendWithNoise>)->Name("ChainAscend/trend")
    ->RangeMultiplier(10)->Range(1000, 10000000)->Unit(benchmark::kMicrosecond);
BENCHMARK(run<chainDescend, fallingTrendWithNoise>)->Name("ChainDescend/trend")
    ->RangeMultiplier(10)->Range(1000, 10000000)->Unit(benchmark::kMicrosecond);
BENCHMARK(run<chainAscend, strictlyDecreasing>)->Name("ChainAscend/decreasing")
    ->RangeMultiplier(10)->Range(1000, 10000000)->Unit(benchmark::kMicrosecond);
// n = 1e5 already takes seconds per call; larger sizes would take minutes to hours.
BENCHMARK(run<chainDescend, strictlyDecreasing>)->Name("ChainDescend/decreasing")
    ->RangeMultiplier(10)->Range(1000, 100000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
