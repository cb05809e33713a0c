// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// The ordered-tree fits on trees of 1e3 to 1e6 nodes, reported as time per node.
//
// isoHier and isoHier_without_nonnegative read their tree from a description file (the
// reading is part of what they cost); isoHierBinary and isoHierDepth1 build theirs. Values are
// Gaussian, except in two cases that cost quadratic time when every merge scans the child
// list and walks the merged child's list: the "pooled star", whose root pools with every other
// node, and the "rising caterpillar", a path with a leaf below each node, whose values rise
// along the path and whose leaves are negative, so that every path node pools with the next
// and takes over all leaves below. The plain recursive form
// (tests/support/literal_tree_fit.hpp) runs on these for comparison.
#include <benchmark/benchmark.h>

#include <map>
#include <memory>
#include <random>
#include <vector>

#include "monotone/monotone.hpp"
#include "tests/support/literal_tree_fit.hpp"
#include "tests/support/random.hpp"
#include "tests/support/tree_files.hpp"
#include "tests/support/tree_shapes.hpp"

namespace {

enum class Shape { path, binary, star, pooledStar, randomRecursive, risingCaterpillar };

testdata::Children childrenOf(Shape shape, int n) {
    std::mt19937_64 rng(2);
    switch (shape) {
        case Shape::path:
            return testdata::path(n);
        case Shape::binary:
            return testdata::balancedBinary(n);
        case Shape::randomRecursive:
            return testdata::randomRecursive(rng, n);
        case Shape::risingCaterpillar:
            return testdata::caterpillar(n);
        default:
            return testdata::star(n);
    }
}

std::vector<double> valuesFor(Shape shape, int n) {
    if (shape == Shape::pooledStar) {
        std::vector<double> v(static_cast<std::size_t>(n), 1.0);
        v[0] = 0;
        return v;
    }
    if (shape == Shape::risingCaterpillar) {
        std::vector<double> v(static_cast<std::size_t>(n), -1.0);
        for (int k = 0; k < n / 2; ++k) v[k] = k;
        return v;
    }
    std::mt19937_64 rng(1);
    return testdata::gaussian(rng, static_cast<std::size_t>(n));
}

// One description file per shape and size, written on first use.
const char* descriptionFile(Shape shape, int n) {
    static std::map<std::pair<Shape, int>, std::unique_ptr<testdata::TempFile>> files;
    std::unique_ptr<testdata::TempFile>& file = files[{shape, n}];
    if (!file)
        file =
            std::make_unique<testdata::TempFile>(testdata::descriptionText(childrenOf(shape, n)));
    return file->path();
}

void perNode(benchmark::State& state, int n) {
    state.counters["per_node"] = benchmark::Counter(
        n, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void FileTree(benchmark::State& state, Shape shape, bool nonnegative) {
    const int n = static_cast<int>(state.range(0));
    const std::vector<double> v = valuesFor(shape, n);
    const char* file = descriptionFile(shape, n);
    std::vector<double> x(v.size());
    for (auto _ : state) {
        if (nonnegative)
            isoHier(x.data(), file, v.data(), 1, n);
        else
            isoHier_without_nonnegative(x.data(), file, v.data(), 1, n);
        benchmark::DoNotOptimize(x.data());
    }
    perNode(state, n);
}

void ImplicitShape(benchmark::State& state, Shape shape) {
    const int n = static_cast<int>(state.range(0));
    const std::vector<double> v = valuesFor(shape, n);
    std::vector<double> x(v.size());
    for (auto _ : state) {
        if (shape == Shape::binary)
            isoHierBinary(x.data(), v.data(), n);
        else
            isoHierDepth1(x.data(), v.data(), n);
        benchmark::DoNotOptimize(x.data());
    }
    perNode(state, n);
}

void PlainRecursiveForm(benchmark::State& state, Shape shape) {
    const int n = static_cast<int>(state.range(0));
    const std::vector<double> v = valuesFor(shape, n);
    const testdata::Children children = childrenOf(shape, n);
    std::vector<double> x(v.size());
    for (auto _ : state) {
        reference::literalTreeFit(x, children, v, 0, true);
        benchmark::DoNotOptimize(x.data());
    }
    perNode(state, n);
}

void sizes(benchmark::internal::Benchmark* b) {
    b->RangeMultiplier(10)->Range(1000, 1000000)->Unit(benchmark::kMillisecond);
}

BENCHMARK_CAPTURE(FileTree, isoHier_path, Shape::path, true)->Apply(sizes);
BENCHMARK_CAPTURE(FileTree, isoHier_binary, Shape::binary, true)->Apply(sizes);
BENCHMARK_CAPTURE(FileTree, isoHier_star, Shape::star, true)->Apply(sizes);
BENCHMARK_CAPTURE(FileTree, isoHier_randomRecursive, Shape::randomRecursive, true)->Apply(sizes);
BENCHMARK_CAPTURE(FileTree, isoHier_risingCaterpillar, Shape::risingCaterpillar, true)
    ->Apply(sizes);
BENCHMARK_CAPTURE(FileTree, isoHier_without_nonnegative_path, Shape::path, false)->Apply(sizes);
BENCHMARK_CAPTURE(FileTree, isoHier_without_nonnegative_binary, Shape::binary, false)->Apply(sizes);
BENCHMARK_CAPTURE(FileTree, isoHier_without_nonnegative_star, Shape::star, false)->Apply(sizes);
BENCHMARK_CAPTURE(FileTree, isoHier_without_nonnegative_randomRecursive, Shape::randomRecursive,
                  false)
    ->Apply(sizes);
BENCHMARK_CAPTURE(ImplicitShape, isoHierBinary, Shape::binary)->Apply(sizes);
BENCHMARK_CAPTURE(ImplicitShape, isoHierDepth1, Shape::star)->Apply(sizes);
BENCHMARK_CAPTURE(ImplicitShape, isoHierDepth1_pooledStar, Shape::pooledStar)->Apply(sizes);
void smallSizes(benchmark::internal::Benchmark* b) {
    b->RangeMultiplier(10)->Range(1000, 100000)->Unit(benchmark::kMillisecond);
}

BENCHMARK_CAPTURE(PlainRecursiveForm, star, Shape::star)->Apply(sizes);
BENCHMARK_CAPTURE(PlainRecursiveForm, pooledStar, Shape::pooledStar)->Apply(smallSizes);
// Its recursion is as deep as the caterpillar is long, so it stops at 1e4 nodes.
BENCHMARK_CAPTURE(PlainRecursiveForm, risingCaterpillar, Shape::risingCaterpillar)
    ->RangeMultiplier(10)
    ->Range(1000, 10000)
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
