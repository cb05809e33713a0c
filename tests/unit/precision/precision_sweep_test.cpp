// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "precision/precision.hpp"
#include "tests/support/console_capture.hpp"
#include "tests/support/graphical_model.hpp"
#include "tests/unit/precision/literal_steps.hpp"

namespace {

using testdata::Matrix;

struct Estimate {
    Matrix x, w;
    std::string printed;
};

// Runs the routine on arrays filled with garbage first: their contents must not matter.
Estimate estimate(const Matrix& s, int n, double lambda, int maxOuter, double tolOuter,
                  int maxIter = 500, double tolFun = 1e-12, double tolX = 1e-12) {
    Estimate e{Matrix(s.size(), 7.5), Matrix(s.size(), -3.25), ""};
    takeConsoleOutput();
    precisionSweep(e.x.data(), e.w.data(), s.data(), lambda, 42, n, maxIter, tolFun, tolX,
                   maxOuter, tolOuter);
    e.printed = takeConsoleOutput();
    return e;
}

Matrix shifted(Matrix s, int n, double lambda) {
    for (int i = 0; i < n; ++i) s[i + i * n] = lambda + s[i + i * n];
    return s;
}

int countLines(const std::string& printed) {
    int lines = 0;
    for (std::size_t at = printed.find("Outer Loop"); at != std::string::npos;
         at = printed.find("Outer Loop", at + 1))
        ++lines;
    return lines;
}

const int kOrder = 6;
const Matrix kS = testdata::sparseModelCovariance(3, kOrder);

TEST(PrecisionSweep, NegativeMaxOuterOnlyInitialises) {
    const Estimate e = estimate(kS, kOrder, 0.1, -1, 1e-9);
    EXPECT_EQ(e.x, Matrix(kS.size(), 0.0));
    EXPECT_EQ(e.w, shifted(kS, kOrder, 0.1));
    EXPECT_EQ(e.printed, "");
}

TEST(PrecisionSweep, ZeroMaxOuterLeavesTheCoefficientsAndPrintsTheFirstGap) {
    for (double tolOuter : {-1.0, 1e300}) {
        const Estimate e = estimate(kS, kOrder, 0.1, 0, tolOuter);
        // The first gap compares W with S plus lambda on the diagonal, in memory order.
        const Matrix start = shifted(kS, kOrder, 0.1);
        double gap = 0;
        for (std::size_t k = 0; k < start.size(); ++k) gap += std::fabs(e.w[k] - start[k]);
        char line[96];
        std::snprintf(line, sizeof line, "\n Outer Loop: 0, gap %e\n", gap);
        EXPECT_EQ(e.printed, line);
        // Coefficients, not the inverse: the diagonal of X is still 0.
        for (int i = 0; i < kOrder; ++i) EXPECT_EQ(e.x[i + i * kOrder], 0.0);
    }
}

TEST(PrecisionSweep, LastIterationWritesTheInverse) {
    // maxOuter = 1: one printed gap, then the iteration that writes the inverse. A gap at or
    // below tolOuter does the same, whatever maxOuter.
    for (const auto& [maxOuter, tolOuter] : {std::pair<int, double>{1, -1}, {50, 1e300}}) {
        const Estimate e = estimate(kS, kOrder, 0.1, maxOuter, tolOuter);
        EXPECT_EQ(countLines(e.printed), 1);
        for (int i = 0; i < kOrder; ++i) EXPECT_GT(e.x[i + i * kOrder], 0.0);
    }
}

// The estimate against the literal transcription, printed lines included.
void expectLiteralResult(const Matrix& s, int n, double lambda, int maxOuter, double tolOuter,
                         int maxIter, const std::string& label) {
    const Estimate e = estimate(s, n, lambda, maxOuter, tolOuter, maxIter, 1e-10, 1e-10);
    Matrix x(s.size()), w(s.size());
    const std::string printed = literal::sweep(x.data(), w.data(), s.data(), lambda, n, maxIter,
                                               1e-10, 1e-10, maxOuter, tolOuter);
    ASSERT_EQ(e.printed, printed) << label;
    ASSERT_EQ(std::memcmp(e.x.data(), x.data(), x.size() * sizeof(double)), 0) << label;
    ASSERT_EQ(std::memcmp(e.w.data(), w.data(), w.size() * sizeof(double)), 0) << label;
}

// Symmetric and asymmetric S, every way of ending.
TEST(PrecisionSweep, MatchesTheLiteralLoopBitForBit) {
    for (int trial = 0; trial < 60; ++trial) {
        const int n = 1 + trial % 11;
        Matrix s = testdata::sparseModelCovariance(100u + trial, n);
        if (trial % 3 == 1) s[n - 1] += 0.0625;  // asymmetric
        const double lambda = trial % 4 == 0 ? 0.0 : 0.02 * (trial % 5 + 1);
        const int maxOuter = trial % 6 == 0 ? 1 : trial % 6 == 1 ? 0 : 30;
        const double tolOuter = trial % 2 == 0 ? 1e-7 : -1;
        const int maxIter = trial % 7 == 0 ? 3 : 100;
        expectLiteralResult(s, n, lambda, maxOuter, tolOuter, maxIter,
                            "trial " + std::to_string(trial));
    }
}

// W(2,2) = 0: a division by zero puts Inf and NaN into W in the middle of an iteration, after
// which products with zero coefficients may no longer be skipped.
TEST(PrecisionSweep, MatchesTheLiteralLoopWhenWBecomesNonFinite) {
    const int n = 4;
    const double lambda = 0.14;
    Matrix s = testdata::sparseModelCovariance(470, n);
    s[2 + 2 * n] = -lambda;
    expectLiteralResult(s, n, lambda, 3, -1, 100, "W(2,2) = 0");
}

// Converged estimates of random sparse models satisfy the optimality conditions of the
// penalised likelihood, checked from W, X and S alone. The objective of a column stops
// changing in double precision while its coefficients still move by about 1e-8, so a precise
// estimate turns the objective test off (tolFun < 0) and stops on the coefficients.
TEST(PrecisionSweep, ConvergedEstimateIsOptimal) {
    for (int n : {2, 8, 20, 40}) {
        for (double lambda : {0.02, 0.1, 0.3}) {
            const Matrix s = testdata::sparseModelCovariance(static_cast<unsigned>(n), n);
            const Estimate e = estimate(s, n, lambda, 500, 1e-12, 1000, -1, 1e-13);
            const testdata::Optimality o = testdata::optimality(s, e.w, e.x, n, lambda);
            EXPECT_LE(o.worst(), 1e-9) << "n " << n << " lambda " << lambda
                                       << ": asymmetry " << o.asymmetry << ", inverse "
                                       << o.notInverse << ", diagonal " << o.diagonal
                                       << ", support " << o.onSupport << ", zeros "
                                       << o.offSupport;
            EXPECT_LT(countLines(e.printed), 500);
        }
    }
}

}  // namespace
