// Two shrinkage steps on a matrix: every element by lambda1, then every row by lambda2, in
// the Euclidean norm (mode 2) or in the infinity norm (any other mode).
//
// The Euclidean row step handles the n mod 5 leading columns one at a time and the rest in
// blocks of five whose squares (and magnitudes) are summed before they join the running sum.
// That grouping is part of the result: it changes the last bits.
#include <cmath>
#include <cstddef>
#include <vector>

#include "projection/domain.hpp"
#include "projection/projection.hpp"

namespace {

void softThreshold(double* X, const double* V, std::ptrdiff_t size, double lambda) {
    for (std::ptrdiff_t k = 0; k < size; ++k) {
        if (V[k] < -lambda)
            X[k] = V[k] + lambda;
        else if (V[k] > lambda)
            X[k] = V[k] - lambda;
        else
            X[k] = 0;
    }
}

// A row of the column-major matrix X: element j at X[i + j m].
struct Row {
    double* X;
    std::ptrdiff_t i;
    std::ptrdiff_t m;
    double& operator[](std::ptrdiff_t j) const { return X[i + j * m]; }
};

double square(double a) { return a * a; }

// Shrinks the row by lambda in the Euclidean norm, adding its L1 norm to N[0] and its
// Euclidean norm to N[1].
void shrinkEuclidean(Row x, double* b, int n, double lambda, double* N) {
    const int h = n % 5;
    for (int j = 0; j < n; ++j) b[j] = x[j];

    double s = 0;
    for (int j = 0; j < h; ++j) s = s + square(b[j]);
    for (int j = h; j < n; j += 5)
        s = s + ((((square(b[j]) + square(b[j + 1])) + square(b[j + 2])) + square(b[j + 3])) +
                 square(b[j + 4]));
    const double r = std::sqrt(s);

    if (lambda >= r) {
        for (int j = 0; j < n; ++j) x[j] = 0;
        return;
    }
    N[1] = N[1] + (r - lambda);
    const double f = (r - lambda) / r;
    for (int j = 0; j < h; ++j) {
        x[j] = x[j] * f;
        N[0] = N[0] + std::fabs(x[j]);
    }
    for (int j = h; j < n; j += 5) {
        for (int k = j; k < j + 5; ++k) x[k] = x[k] * f;
        N[0] = N[0] + ((((std::fabs(x[j]) + std::fabs(x[j + 1])) + std::fabs(x[j + 2])) +
                        std::fabs(x[j + 3])) +
                       std::fabs(x[j + 4]));
    }
}

// Shrinks the row by lambda in the infinity norm: the row minus its projection onto the L1
// ball of radius lambda, that is the row clipped at the projection's threshold.
void shrinkInfinity(Row x, double* b, double* projected, int n, double lambda) {
    double s = 0;
    for (int j = 0; j < n; ++j) {
        b[j] = x[j];
        s += std::fabs(b[j]);
    }
    if (lambda >= s) {
        for (int j = 0; j < n; ++j) x[j] = 0;
        return;
    }
    double threshold = 0;
    int steps = 0;
    simplexShadow(projected, &threshold, &steps, b, n, lambda, 0);
    for (int j = 0; j < n; ++j) {
        if (x[j] > threshold)
            x[j] = threshold;
        else if (x[j] < -threshold)
            x[j] = -threshold;
    }
}

}  // namespace

void twoLevelShadow(double* X, double* N, const double* V, int m, int n, double lambda1,
                    double lambda2, int mode) {
    requireNonnegativeParameter(lambda1, "lambda1");
    requireNonnegativeParameter(lambda2, "lambda2");

    N[1] = 0;
    N[0] = 0;
    const std::ptrdiff_t rows = m;
    // An empty matrix changes nothing (a row without elements has norm 0, which every weight
    // zeroes): no buffers, and no walk over rows that hold nothing.
    if (rows == 0 || n == 0) return;
    std::vector<double> b(static_cast<std::size_t>(n));
    std::vector<double> projected(static_cast<std::size_t>(n));
    softThreshold(X, V, rows * n, lambda1);
    for (std::ptrdiff_t i = 0; i < rows; ++i) {
        const Row x{X, i, rows};
        if (mode == 2)
            shrinkEuclidean(x, b.data(), n, lambda2, N);
        else
            shrinkInfinity(x, b.data(), projected.data(), n, lambda2);
    }
}
