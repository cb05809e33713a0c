// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// The row-wise and group-wise shadows give the same bits whatever the thread count.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "projection/projection.hpp"
#include "tests/support/console_capture.hpp"
#include "tests/support/random.hpp"
#include "tests/support/thread_count.hpp"

namespace {

using testthreads::Outcome;

std::vector<double> randomMatrix(std::mt19937_64& rng, int m, int n) {
    return testdata::awkward(rng, static_cast<std::size_t>(m) * n);
}

TEST(ShadowThreads, PowerShadowMatrixForEveryKindOfExponent) {
    std::mt19937_64 rng(51);
    // The closed forms cost little per row, the bisection much: sizes that split seven ways.
    struct Case {
        double p;
        int m, n;
    };
    for (const Case& c : {Case{1, 301, 400}, Case{2, 301, 400}, Case{3, 43, 30},
                          Case{1.5, 43, 30}, Case{1e6, 301, 40}}) {
        const std::vector<double> V = randomMatrix(rng, c.m, c.n);
        testthreads::expectSameUnderEveryThreadCount([&] {
            Outcome outcome{std::vector<double>(V.size(), -7.0), ""};
            powerShadowMatrix(outcome.values.data(), V.data(), c.m, c.n, 0.8, c.p);
            outcome.printed = takeConsoleOutput();
            return outcome;
        });
    }
}

TEST(ShadowThreads, PowerShadowVectorOverRandomGroups) {
    std::mt19937_64 rng(52);
    for (double p : {1.5, 3.0, 2.0}) {
        const int n = p == 2.0 ? 150000 : 3000, g = 41;
        const std::vector<double> v = testdata::awkward(rng, n);
        // Random boundaries, some repeated (empty groups), the last group ending before n.
        std::uniform_int_distribution<int> at(0, n - 10);
        std::vector<double> b(g + 1);
        for (double& boundary : b) boundary = at(rng) + 0.5;
        std::sort(b.begin(), b.end());
        b[3] = b[4];
        std::vector<double> rho(g);
        for (double& weight : rho) weight = 0.1 * (&weight - rho.data());
        testthreads::expectSameUnderEveryThreadCount([&] {
            Outcome outcome{std::vector<double>(v.size(), -7.0), ""};
            powerShadowVector(outcome.values.data(), v.data(), b.data(), g, n, rho.data(), p);
            outcome.printed = takeConsoleOutput();
            return outcome;
        });
    }
}

TEST(ShadowThreads, MixedShadowRowNormsAndScaling) {
    std::mt19937_64 rng(53);
    const int m = 303, n = 800;
    const std::vector<double> V = randomMatrix(rng, m, n);
    for (double z : {0.0, 50.0, 1e9}) {
        testthreads::expectSameUnderEveryThreadCount([&] {
            Outcome outcome{std::vector<double>(V.size() + 2, -7.0), ""};
            double* X = outcome.values.data();
            int steps = -7;
            mixedShadow(X, &X[V.size()], &steps, V.data(), m, n, z, 0);
            X[V.size() + 1] = steps;
            outcome.printed = takeConsoleOutput();
            return outcome;
        });
    }
}

TEST(ShadowThreads, TwoLevelShadowRowsAndSumsInBothModes) {
    std::mt19937_64 rng(54);
    // 303 rows of 402 columns: two leading columns, then blocks of five; the infinity mode
    // needs fewer rows to split.
    for (int mode : {2, 1}) {
        const int m = mode == 2 ? 303 : 61, n = 402;
        const std::vector<double> V = randomMatrix(rng, m, n);
        for (double lambda2 : {0.5, 30.0}) {
            testthreads::expectSameUnderEveryThreadCount([&] {
                Outcome outcome{std::vector<double>(V.size() + 2, -7.0), ""};
                double* X = outcome.values.data();
                twoLevelShadow(X, &X[V.size()], V.data(), m, n, 0.3, lambda2, mode);
                outcome.printed = takeConsoleOutput();
                return outcome;
            });
        }
    }
}

}  // namespace
