// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// precisionSweep on the sample covariance of 2p draws from a sparse Gaussian graphical model,
// for p = 100, 200, 500 variables and lambda = 0.1, 0.05, with tight tolerances: time per
// call, outer iterations, nonzeros of the inverse and the largest violation of the
// optimality conditions.
//
//   bench_precision [benchmark flags]        runs the benchmarks
//   bench_precision --write-problems DIR     writes the problems and our estimates as CSV
//                                            files into DIR, for bench/precision_peer.sh
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "precision/precision.hpp"
#include "tests/support/console_capture.hpp"
#include "tests/support/graphical_model.hpp"

namespace {

using testdata::Matrix;

const int kSizes[] = {100, 200, 500};
const double kPenalties[] = {0.1, 0.05};

// The outer loop stops when the mean change of W's off-diagonal entries is below
// kRelativeTolerance times the mean off-diagonal |S_ij|; the lasso steps stop when the
// coefficients of a column changed by at most kTolX in all (the objective test is off).
const double kRelativeTolerance = 1e-7;
const double kTolX = 1e-10;
const int kMaxIter = 1000;
const int kMaxOuter = 1000;

const Matrix& problem(int p) {
    static std::map<int, Matrix> problems;
    auto found = problems.find(p);
    if (found == problems.end())
        found = problems.emplace(p, testdata::sparseModelCovariance(static_cast<unsigned>(p), p)).first;
    return found->second;
}

double outerTolerance(const Matrix& s, int p) {
    double sum = 0;
    for (int c = 0; c < p; ++c)
        for (int r = 0; r < p; ++r)
            if (r != c) sum += std::fabs(s[r + c * static_cast<std::size_t>(p)]);
    return kRelativeTolerance * sum;
}

struct Estimate {
    Matrix x, w;
    int outerIterations;
};

Estimate estimate(const Matrix& s, int p, double lambda) {
    Estimate e{Matrix(s.size()), Matrix(s.size()), 0};
    takeConsoleOutput();
    precisionSweep(e.x.data(), e.w.data(), s.data(), lambda, 0, p, kMaxIter, -1, kTolX,
                   kMaxOuter, outerTolerance(s, p));
    const std::string printed = takeConsoleOutput();
    // Every iteration prints its gap except the last one, which writes the inverse.
    e.outerIterations = 1;
    for (std::size_t at = printed.find("Outer Loop"); at != std::string::npos;
         at = printed.find("Outer Loop", at + 1))
        ++e.outerIterations;
    return e;
}

void PrecisionLasso(benchmark::State& state) {
    const int p = static_cast<int>(state.range(0));
    const double lambda = static_cast<double>(state.range(1)) / 100;
    const Matrix& s = problem(p);
    for (auto _ : state) {
        Estimate e = estimate(s, p, lambda);
        benchmark::DoNotOptimize(e.x.data());
    }
    const Estimate e = estimate(s, p, lambda);
    int nonzeros = 0;
    for (double value : e.x) nonzeros += value != 0;
    state.counters["outer"] = e.outerIterations;
    state.counters["nonzeros"] = nonzeros;
    state.counters["violation"] = testdata::optimality(s, e.w, e.x, p, lambda).worst();
}

BENCHMARK(PrecisionLasso)
    ->ArgsProduct({{100, 200, 500}, {10, 5}})
    ->ArgNames({"p", "lambda%"})
    ->Unit(benchmark::kMillisecond);

bool writeMatrix(const std::string& path, const Matrix& m, int p) {
    std::FILE* file = std::fopen(path.c_str(), "w");
    if (file == nullptr) return false;
    for (int r = 0; r < p; ++r)
        for (int c = 0; c < p; ++c)
            std::fprintf(file, "%.17g%c", m[r + c * static_cast<std::size_t>(p)],
                         c + 1 < p ? ',' : '\n');
    return std::fclose(file) == 0;
}

// problems.csv lists p, lambda, the peer's threshold and the files of S, X and W.
int writeProblems(const std::string& folder) {
    const std::string list = folder + "/problems.csv";
    std::FILE* file = std::fopen(list.c_str(), "w");
    if (file == nullptr) {
        std::perror(list.c_str());
        return 1;
    }
    std::fprintf(file, "p,lambda,thr,outer,S,X,W\n");
    bool written = true;
    for (int p : kSizes) {
        const Matrix& s = problem(p);
        const std::string sFile = "S_" + std::to_string(p) + ".csv";
        written = written && writeMatrix(folder + "/" + sFile, s, p);
        for (double lambda : kPenalties) {
            const Estimate e = estimate(s, p, lambda);
            const std::string tag = std::to_string(p) + "_" + std::to_string(lambda);
            written = written && writeMatrix(folder + "/X_" + tag + ".csv", e.x, p) &&
                      writeMatrix(folder + "/W_" + tag + ".csv", e.w, p);
            std::fprintf(file, "%d,%g,%g,%d,%s,X_%s.csv,W_%s.csv\n", p, lambda,
                         kRelativeTolerance, e.outerIterations, sFile.c_str(), tag.c_str(),
                         tag.c_str());
        }
    }
    if (std::fclose(file) != 0 || !written) {
        std::fprintf(stderr, "could not write the problems into %s\n", folder.c_str());
        return 1;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::string(argv[1]) == "--write-problems") return writeProblems(argv[2]);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
