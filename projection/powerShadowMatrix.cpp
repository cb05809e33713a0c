// The norm shadow of every row of a column-major matrix, with one weight and one exponent.
#include <cstddef>
#include <vector>

#include "projection/domain.hpp"
#include "projection/projection.hpp"

void powerShadowMatrix(double* X, const double* V, int m, int n, double rho, double p) {
    requireNonnegativeWeight(rho);
    requireNormExponent(p);

    const std::ptrdiff_t rows = m;
    // An empty matrix has nothing to write: no buffers however long the rows would be, and
    // no walk over rows that hold nothing.
    if (rows == 0 || n == 0) return;
    std::vector<double> row(static_cast<std::size_t>(n));
    std::vector<double> result(static_cast<std::size_t>(n));
    int steps[2];
    // Each row starts its threshold search (the infinity case) from the previous row's.
    double c0 = 0;
    for (std::ptrdiff_t i = 0; i < rows; ++i) {
        for (int j = 0; j < n; ++j) row[j] = V[i + j * rows];
        double c = 0;
        powerShadow(result.data(), &c, steps, row.data(), n, rho, p, c0);
        c0 = c;
        for (int j = 0; j < n; ++j) X[i + j * rows] = result[j];
    }
}
