// The row-wise routines: one vector routine run on every row of a rows-by-cols matrix.
//
// The matrix is column-major, so a row is strided in memory; each row is gathered into a
// contiguous buffer before the routine runs on it, and its result scattered back.
#pragma once

#include <cstddef>
#include <vector>

namespace treetable {

inline void gatherRow(double* row, const double* V, int rows, int cols, int i) {
    const std::ptrdiff_t stride = rows;
    for (int j = 0; j < cols; ++j) row[j] = V[i + j * stride];
}

inline void scatterRow(double* X, const double* row, int rows, int cols, int i) {
    const std::ptrdiff_t stride = rows;
    for (int j = 0; j < cols; ++j) X[i + j * stride] = row[j];
}

// X(i, :) = transform(V(i, :)) for every row i; transform(out, in, cols).
template <class Transform>
void transformRows(double* X, const double* V, int rows, int cols, const Transform& transform) {
    if (rows <= 0) return;
    std::vector<double> in(cols > 0 ? static_cast<std::size_t>(cols) : 0);
    std::vector<double> out(in.size());
    for (int i = 0; i < rows; ++i) {
        gatherRow(in.data(), V, rows, cols, i);
        transform(out.data(), in.data(), cols);
        scatterRow(X, out.data(), rows, cols, i);
    }
}

// The largest of measure(row, cols) over the rows, and 0 if none is larger (NaN passed over).
template <class Measure>
double largestOverRows(const double* V, int rows, int cols, Measure&& measure) {
    double value = 0.0;
    if (rows <= 0) return value;
    std::vector<double> row(cols > 0 ? static_cast<std::size_t>(cols) : 0);
    for (int i = 0; i < rows; ++i) {
        gatherRow(row.data(), V, rows, cols, i);
        const double result = measure(row.data(), cols);
        if (result > value) value = result;
    }
    return value;
}

}  // namespace treetable
