// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// Sparse Gaussian graphical models for the tests and benchmarks of the inverse covariance
// estimate, and the optimality conditions of that estimate, checked independently.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <random>
#include <vector>

namespace testdata {

// n-by-n column-major matrices throughout.
using Matrix = std::vector<double>;

// A sparse precision matrix: each pair of variables is an edge with probability
// `edgeProbability`, weighted +-[0.2, 0.5]; the diagonal is 1 plus the row's absolute sum, so
// the matrix is positive definite.
inline Matrix sparsePrecision(std::mt19937_64& rng, int n, double edgeProbability) {
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    const std::size_t order = static_cast<std::size_t>(n);
    Matrix theta(order * order, 0.0);
    for (std::size_t c = 0; c < order; ++c) {
        for (std::size_t r = c + 1; r < order; ++r) {
            if (unit(rng) >= edgeProbability) continue;
            const double weight = (unit(rng) < 0.5 ? -1 : 1) * (0.2 + 0.3 * unit(rng));
            theta[r + c * order] = theta[c + r * order] = weight;
        }
    }
    for (std::size_t i = 0; i < order; ++i) {
        double sum = 1;
        for (std::size_t k = 0; k < order; ++k) sum += std::fabs(theta[i + k * order]);
        theta[i + i * order] = sum;
    }
    return theta;
}

// The lower Cholesky factor L of a positive definite matrix, A = L L'.
inline Matrix cholesky(const Matrix& a, int n) {
    const std::size_t order = static_cast<std::size_t>(n);
    Matrix l(order * order, 0.0);
    for (std::size_t c = 0; c < order; ++c) {
        double diagonal = a[c + c * order];
        for (std::size_t k = 0; k < c; ++k) diagonal -= l[c + k * order] * l[c + k * order];
        const double root = std::sqrt(diagonal);
        l[c + c * order] = root;
        for (std::size_t r = c + 1; r < order; ++r) {
            double value = a[r + c * order];
            for (std::size_t k = 0; k < c; ++k) value -= l[r + k * order] * l[c + k * order];
            l[r + c * order] = value / root;
        }
    }
    return l;
}

// The sample covariance (divided by draws - 1) of `draws` draws from N(0, inverse(theta)),
// with every variable scaled to unit variance in the model.
inline Matrix sampleCovariance(std::mt19937_64& rng, const Matrix& theta, int n, int draws) {
    const std::size_t order = static_cast<std::size_t>(n);
    const Matrix l = cholesky(theta, n);
    // Var(x_i) = sum_k (inverse(L))_{ki}^2; with x = inverse(L') z, Cov(x) = inverse(theta).
    std::vector<double> scale(order, 0.0);
    std::vector<double> column(order);
    for (std::size_t i = 0; i < order; ++i) {
        std::fill(column.begin(), column.end(), 0.0);
        column[i] = 1;
        for (std::size_t r = i; r < order; ++r) {  // forward substitution, L v = e_i
            double value = column[r];
            for (std::size_t k = i; k < r; ++k) value -= l[r + k * order] * column[k];
            column[r] = value / l[r + r * order];
            scale[i] += column[r] * column[r];
        }
    }
    std::normal_distribution<double> normal(0.0, 1.0);
    Matrix samples(order * static_cast<std::size_t>(draws));
    std::vector<double> mean(order, 0.0);
    for (int d = 0; d < draws; ++d) {
        double* x = &samples[static_cast<std::size_t>(d) * order];
        for (std::size_t i = 0; i < order; ++i) x[i] = normal(rng);
        for (std::size_t r = order; r-- > 0;) {  // back substitution, L' x = z
            double value = x[r];
            for (std::size_t k = r + 1; k < order; ++k) value -= l[k + r * order] * x[k];
            x[r] = value / l[r + r * order];
        }
        for (std::size_t i = 0; i < order; ++i) {
            x[i] /= std::sqrt(scale[i]);
            mean[i] += x[i] / draws;
        }
    }
    Matrix s(order * order, 0.0);
    for (int d = 0; d < draws; ++d) {
        const double* x = &samples[static_cast<std::size_t>(d) * order];
        for (std::size_t c = 0; c < order; ++c)
            for (std::size_t r = 0; r <= c; ++r)
                s[r + c * order] += (x[r] - mean[r]) * (x[c] - mean[c]) / (draws - 1);
    }
    for (std::size_t c = 0; c < order; ++c)
        for (std::size_t r = c + 1; r < order; ++r) s[r + c * order] = s[c + r * order];
    return s;
}

// The sample covariance of 2n draws from a sparse model with about `degree` edges per node.
inline Matrix sparseModelCovariance(unsigned seed, int n, double degree = 3) {
    std::mt19937_64 rng(seed);
    const double probability = n > 1 ? std::min(1.0, degree / (n - 1)) : 0;
    return sampleCovariance(rng, sparsePrecision(rng, n, probability), n, 2 * n);
}

// How far W and X are from the optimality conditions of
//     maximize log det X - trace(S X) - lambda sum |X_ij|,
// namely W = inverse(X) and W - S = lambda * sign(X) elementwise, with |W_ij - S_ij| <= lambda
// where X_ij = 0 (the diagonal of X is positive, so W_ii = S_ii + lambda).
struct Optimality {
    double asymmetry = 0;    // max |W_ij - W_ji|
    double notInverse = 0;   // max |(W X - I)_ij|
    double diagonal = 0;     // max |W_ii - S_ii - lambda|
    double onSupport = 0;    // max |W_ij - S_ij - lambda sign(X_ij)| where X_ij != 0
    double offSupport = 0;   // max (|W_ij - S_ij| - lambda) where X_ij == 0, or 0

    double worst() const {
        return std::max({asymmetry, notInverse, diagonal, onSupport, offSupport});
    }
};

inline Optimality optimality(const Matrix& s, const Matrix& w, const Matrix& x, int n,
                             double lambda) {
    const std::size_t order = static_cast<std::size_t>(n);
    Optimality result;
    for (std::size_t c = 0; c < order; ++c) {
        for (std::size_t r = 0; r < order; ++r) {
            const std::size_t at = r + c * order;
            result.asymmetry = std::max(result.asymmetry, std::fabs(w[at] - w[c + r * order]));
            long double product = 0;
            for (std::size_t k = 0; k < order; ++k)
                product += static_cast<long double>(w[r + k * order]) * x[k + c * order];
            const double identity = r == c ? 1.0 : 0.0;
            result.notInverse = std::max(
                result.notInverse, static_cast<double>(std::fabs(product - identity)));
            const double difference = w[at] - s[at];
            if (r == c) {
                result.diagonal = std::max(result.diagonal, std::fabs(difference - lambda));
            } else if (x[at] != 0) {
                const double sign = x[at] > 0 ? 1.0 : -1.0;
                result.onSupport =
                    std::max(result.onSupport, std::fabs(difference - lambda * sign));
            } else {
                result.offSupport =
                    std::max(result.offSupport, std::fabs(difference) - lambda);
            }
        }
    }
    return result;
}

}  // namespace testdata
