// The projection routines on Gaussian data, reported as time per element.
#include <benchmark/benchmark.h>

#include <cmath>
#include <random>
#include <vector>

#include "projection/projection.hpp"
#include "tests/support/random.hpp"
#include "tests/support/references.hpp"

namespace {

void perElement(benchmark::State& state, std::size_t n) {
    state.counters["per_element"] = benchmark::Counter(
        static_cast<double>(n), benchmark::Counter::kIsIterationInvariantRate |
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

BENCHMARK(SimplexShadow)->RangeMultiplier(10)->Range(1000, 10000000)->Unit(benchmark::kMicrosecond);
BENCHMARK(SortBasedProjection)->RangeMultiplier(10)->Range(1000, 10000000)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
