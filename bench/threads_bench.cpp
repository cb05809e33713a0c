// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// Thread scaling of the row-wise and group-wise routines: each on one thread and on every
// thread the hardware has (SPARSEMEX_THREADS set for the run), on a 1000-by-1000 matrix or
// 1e6-element vector. "Time" is wall time, "CPU" the whole process's CPU time, so that a
// busy machine shows as CPU time that does not shrink with wall time.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "cone/cone.hpp"
#include "generaltree/generaltree.hpp"
#include "support/parallel.hpp"
#include "indextree/indextree.hpp"
#include "projection/projection.hpp"
#include "tests/support/random.hpp"
#include "tests/support/random_trees.hpp"
#include "tests/support/threads_variable.hpp"

namespace {

const int kRows = 1000, kCols = 1000;

std::vector<double> matrix(unsigned seed) {
    std::mt19937_64 rng(seed);
    return testdata::gaussian(rng, static_cast<std::size_t>(kRows) * kCols);
}

// A complete binary tree over the columns, four levels and an L1 node; each group weighs a
// tenth of the square root of its length.
testtrees::TreePenalty columnTree() {
    testtrees::TreePenalty tree = testtrees::balancedTree(kCols, 4, 2, 1.0);
    tree.hasL1 = true;
    tree.l1Weight = 0.01;
    for (testtrees::Group& group : tree.groups)
        group.weight = 0.1 * std::sqrt(static_cast<double>(group.positions.size()));
    return tree;
}

// Sets the thread count for one benchmark run; the variable goes back after it.
struct Threads {
    explicit Threads(const benchmark::State& state)
        : variable(static_cast<int>(state.range(0))) {}
    testthreads::ThreadsVariable variable;
};

void TreeproxRows(benchmark::State& state) {
    const Threads threads(state);
    const testtrees::TreePenalty tree = columnTree();
    const std::vector<double> ind = tree.rangeTable(), V = matrix(1);
    std::vector<double> X(V.size());
    for (auto _ : state) {
        treeprox_mt(X.data(), V.data(), kRows, kCols, ind.data(), tree.nodes());
        benchmark::DoNotOptimize(X.data());
    }
}

void GeneralTreeproxRows(benchmark::State& state) {
    const Threads threads(state);
    const testtrees::TreePenalty tree = columnTree();
    std::vector<double> G;
    const std::vector<double> ind = tree.listTable(&G), V = matrix(2);
    std::vector<double> X(V.size());
    for (auto _ : state) {
        general_treeprox_mt(X.data(), V.data(), kRows, kCols, G.data(), ind.data(), tree.nodes());
        benchmark::DoNotOptimize(X.data());
    }
}

void CriticalWeightRows(benchmark::State& state) {
    const Threads threads(state);
    const testtrees::TreePenalty tree = columnTree();
    const std::vector<double> ind = tree.rangeTable(), V = matrix(3);
    double value = 0;
    for (auto _ : state) {
        criticalWeight_mt(&value, V.data(), kRows, kCols, ind.data(), tree.nodes());
        benchmark::DoNotOptimize(value);
    }
}

void GeneralCriticalWeightRows(benchmark::State& state) {
    const Threads threads(state);
    const testtrees::TreePenalty tree = columnTree();
    std::vector<double> G;
    const std::vector<double> ind = tree.listTable(&G), V = matrix(4);
    double value = 0;
    for (auto _ : state) {
        general_criticalWeight_mt(&value, V.data(), kRows, kCols, G.data(), ind.data(),
                                  tree.nodes());
        benchmark::DoNotOptimize(value);
    }
}

// Rows whose searches cost very different amounts, as in a fit whose rows are partly zero:
// the first half of the rows is zero (found at once), the second half Gaussian. A fixed half
// of the rows for each thread would leave one thread with all the work.
void CriticalWeightUnevenRows(benchmark::State& state) {
    const Threads threads(state);
    const testtrees::TreePenalty tree = columnTree();
    const std::vector<double> ind = tree.rangeTable();
    std::vector<double> V = matrix(3);
    for (int j = 0; j < kCols; ++j)
        std::fill_n(V.begin() + static_cast<std::ptrdiff_t>(j) * kRows, kRows / 2, 0.0);
    double value = 0;
    for (auto _ : state) {
        criticalWeight_mt(&value, V.data(), kRows, kCols, ind.data(), tree.nodes());
        benchmark::DoNotOptimize(value);
    }
}

// p = 3: the bisection of the general exponent on every row; p = 2: the closed form.
void PowerShadowMatrix(benchmark::State& state, double p, unsigned seed) {
    const Threads threads(state);
    const std::vector<double> V = matrix(seed);
    std::vector<double> X(V.size());
    for (auto _ : state) {
        powerShadowMatrix(X.data(), V.data(), kRows, kCols, 5.0, p);
        benchmark::DoNotOptimize(X.data());
    }
}

void RowCone(benchmark::State& state) {
    const Threads threads(state);
    const std::vector<double> V = matrix(7);
    std::mt19937_64 rng(8);
    const std::vector<double> c = testdata::gaussian(rng, kRows, 30.0);
    std::vector<double> X(V.size()), t(kRows);
    for (auto _ : state) {
        rowCone(X.data(), t.data(), V.data(), c.data(), kRows, kCols);
        benchmark::DoNotOptimize(X.data());
    }
}

// The vectors of the group-wise routines: 1e6 elements in 1000 groups of 1000.
std::vector<double> groupTable() {
    std::vector<double> b(kRows + 1);
    for (int k = 0; k <= kRows; ++k) b[k] = static_cast<double>(k) * kCols;
    return b;
}

void PowerShadowVectorP3(benchmark::State& state) {
    const Threads threads(state);
    const std::vector<double> v = matrix(9), b = groupTable(), rho(kRows, 5.0);
    std::vector<double> x(v.size());
    for (auto _ : state) {
        powerShadowVector(x.data(), v.data(), b.data(), kRows, kRows * kCols, rho.data(), 3.0);
        benchmark::DoNotOptimize(x.data());
    }
}

void PowerShadowVectorR(benchmark::State& state) {
    const Threads threads(state);
    const std::vector<double> v = matrix(10), b = groupTable();
    std::mt19937_64 rng(11);
    const std::vector<double> c = testdata::gaussian(rng, kRows, 30.0);
    std::vector<double> x(v.size()), t(kRows);
    for (auto _ : state) {
        powerShadowVectorR(x.data(), t.data(), v.data(), c.data(), b.data(), kRows * kCols, kRows);
        benchmark::DoNotOptimize(x.data());
    }
}

void ElementCone(benchmark::State& state) {
    const Threads threads(state);
    const std::vector<double> v = matrix(14), c = matrix(15);
    std::vector<double> x(v.size()), t(v.size());
    for (auto _ : state) {
        elementCone(x.data(), t.data(), v.data(), c.data(), kRows * kCols);
        benchmark::DoNotOptimize(x.data());
    }
}

void MixedShadow(benchmark::State& state) {
    const Threads threads(state);
    const std::vector<double> V = matrix(12);
    std::vector<double> X(V.size());
    double lambda = 0;
    int steps = 0;
    for (auto _ : state) {
        mixedShadow(X.data(), &lambda, &steps, V.data(), kRows, kCols, 100.0, 0);
        benchmark::DoNotOptimize(X.data());
    }
}

void TwoLevelShadow(benchmark::State& state) {
    const Threads threads(state);
    const std::vector<double> V = matrix(13);
    std::vector<double> X(V.size());
    double N[2];
    const int mode = static_cast<int>(state.range(1));
    for (auto _ : state) {
        twoLevelShadow(X.data(), N, V.data(), kRows, kCols, 0.1, 5.0, mode);
        benchmark::DoNotOptimize(X.data());
    }
}

// What the machine itself gives to threads, as a yardstick for the rows above: a loop that
// reads a 1000-by-1000 matrix and writes another, as rowCone does, cut into equal halves
// (quarters, ...) by plain threads with nothing shared. On a machine whose cores are shared
// with other work, or contend for memory, this too falls short of the thread count.
void PlainSplitLoop(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    const std::vector<double> V = matrix(16);
    std::vector<double> X(V.size());
    const auto slice = [&](std::size_t first, std::size_t last) {
        for (std::size_t i = first; i < last; ++i) X[i] = 0.5 * V[i] + std::sqrt(std::fabs(V[i]));
    };
    for (auto _ : state) {
        std::vector<std::thread> others;
        const std::size_t share = V.size() / count;
        for (int k = 1; k < count; ++k)
            others.emplace_back(slice, k * share, k + 1 == count ? V.size() : (k + 1) * share);
        slice(0, share);
        for (std::thread& other : others) other.join();
        benchmark::DoNotOptimize(X.data());
    }
}

// One thread and every thread of the hardware.
void threadCounts(benchmark::internal::Benchmark* b) {
    b->ArgName("threads")->Arg(1);
    if (parallel::hardwareThreads() > 1) b->Arg(parallel::hardwareThreads());
    b->UseRealTime()->MeasureProcessCPUTime()->Unit(benchmark::kMillisecond);
}

void threadCountsAndModes(benchmark::internal::Benchmark* b) {
    b->ArgNames({"threads", "mode"});
    for (int mode : {2, 1}) {
        b->Args({1, mode});
        if (parallel::hardwareThreads() > 1) b->Args({parallel::hardwareThreads(), mode});
    }
    b->UseRealTime()->MeasureProcessCPUTime()->Unit(benchmark::kMillisecond);
}

}  // namespace

BENCHMARK(TreeproxRows)->Apply(threadCounts);
BENCHMARK(GeneralTreeproxRows)->Apply(threadCounts);
BENCHMARK(CriticalWeightRows)->Apply(threadCounts);
BENCHMARK(GeneralCriticalWeightRows)->Apply(threadCounts);
BENCHMARK(CriticalWeightUnevenRows)->Apply(threadCounts);
BENCHMARK_CAPTURE(PowerShadowMatrix, P3, 3.0, 5u)->Apply(threadCounts);
BENCHMARK_CAPTURE(PowerShadowMatrix, P2, 2.0, 6u)->Apply(threadCounts);
BENCHMARK(RowCone)->Apply(threadCounts);
BENCHMARK(PowerShadowVectorP3)->Apply(threadCounts);
BENCHMARK(PowerShadowVectorR)->Apply(threadCounts);
BENCHMARK(ElementCone)->Apply(threadCounts);
BENCHMARK(MixedShadow)->Apply(threadCounts);
BENCHMARK(TwoLevelShadow)->Apply(threadCountsAndModes);
BENCHMARK(PlainSplitLoop)->Apply(threadCounts);

BENCHMARK_MAIN();
