// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// The index-tree routines on Gaussian data with complete binary trees of ranges, reported as
// time per element of the summed group lengths (the work of one pass of the operator).
#include <benchmark/benchmark.h>

#include <cmath>
#include <random>
#include <vector>

#include "indextree/indextree.hpp"
#include "tests/support/random.hpp"
#include "tests/support/random_trees.hpp"
#include "treetable/node_order.hpp"

namespace {

// A complete binary tree over n positions with `depth` levels, an L1 node first; each group
// weighs a tenth of the square root of its length.
struct Problem {
    std::vector<double> ind;
    int nodes;
    double summedLength;
};

Problem binaryTree(int n, int depth) {
    testtrees::TreePenalty tree = testtrees::balancedTree(n, depth, 2, 1.0);
    tree.hasL1 = true;
    tree.l1Weight = 0.01;
    double summed = n;
    for (testtrees::Group& group : tree.groups) {
        group.weight = 0.1 * std::sqrt(static_cast<double>(group.positions.size()));
        summed += static_cast<double>(group.positions.size());
    }
    return Problem{tree.rangeTable(), tree.nodes(), summed};
}

void perSummedElement(benchmark::State& state, double elements) {
    state.counters["per_element"] = benchmark::Counter(
        elements, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

const int kLength = 1000000;

void TreeProx(benchmark::State& state) {
    const Problem problem = binaryTree(kLength, static_cast<int>(state.range(0)));
    std::mt19937_64 rng(1);
    const std::vector<double> v = testdata::gaussian(rng, kLength);
    std::vector<double> x(kLength);
    for (auto _ : state) {
        treeprox(x.data(), v.data(), kLength, problem.ind.data(), problem.nodes);
        benchmark::DoNotOptimize(x.data());
    }
    perSummedElement(state, problem.summedLength);
}

// Counted per element of one operator pass, so the figure includes the ~40 passes a search
// makes; "passes" reports how many.
void CriticalWeight(benchmark::State& state) {
    const Problem problem = binaryTree(kLength, static_cast<int>(state.range(0)));
    std::mt19937_64 rng(2);
    const std::vector<double> v = testdata::gaussian(rng, kLength);
    double value = 0;
    for (auto _ : state) {
        criticalWeight(&value, v.data(), kLength, problem.ind.data(), problem.nodes);
        benchmark::DoNotOptimize(value);
    }
    perSummedElement(state, problem.summedLength);
}

void TreeProxRows(benchmark::State& state) {
    const int rows = 1000, cols = 1000;
    const Problem problem = binaryTree(cols, static_cast<int>(state.range(0)));
    std::mt19937_64 rng(3);
    const std::vector<double> V = testdata::gaussian(rng, static_cast<std::size_t>(rows) * cols);
    std::vector<double> X(V.size());
    for (auto _ : state) {
        treeprox_mt(X.data(), V.data(), rows, cols, problem.ind.data(), problem.nodes);
        benchmark::DoNotOptimize(X.data());
    }
    perSummedElement(state, rows * problem.summedLength);
}

// The gateways' check that every node comes after the nodes inside it, once per call: over
// the table's ranges, and over the same groups as slices of G = 1..n. Counted per element of
// one operator pass, like TreeProx.
void OrderCheck(benchmark::State& state) {
    const Problem problem = binaryTree(kLength, static_cast<int>(state.range(0)));
    const bool slices = state.range(1) == 1;
    std::vector<double> G(kLength);
    for (int p = 0; p < kLength; ++p) G[p] = p + 1.0;
    for (auto _ : state) {
        const treetable::MisorderedPair pair =
            slices ? treetable::firstSliceAfterItsContainer(problem.ind.data(), problem.nodes,
                                                            G.data(), kLength)
                   : treetable::firstRangeAfterItsContainer(problem.ind.data(), problem.nodes,
                                                            kLength);
        benchmark::DoNotOptimize(pair);
    }
    perSummedElement(state, problem.summedLength);
}

BENCHMARK(TreeProx)->DenseRange(3, 10, 1)->Unit(benchmark::kMillisecond);
BENCHMARK(OrderCheck)
    ->ArgsProduct({{3, 10, 20}, {0, 1}})
    ->ArgNames({"depth", "slices"})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(CriticalWeight)->DenseRange(3, 10, 1)->Unit(benchmark::kMillisecond);
BENCHMARK(TreeProxRows)->DenseRange(3, 10, 1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
