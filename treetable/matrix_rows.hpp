// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// The row-wise routines: one vector routine run on every row of a rows-by-cols matrix.
//
// The matrix is column-major, so a row is strided in memory. Rows are gathered a block at a
// time into contiguous buffers (a block's entries of one column are neighbours in memory, so
// each cache line is fetched once for the whole block), processed, and scattered back.
#pragma once

#include <algorithm>
#include <cstddef>
#include <vector>

#include "support/parallel.hpp"

namespace treetable {

// Rows per block: as many as the tree routines shrink side by side.
const int kRowBlock = 4;

// Rows first..first+count-1 of V into the buffers row[0..count-1], and back.
inline void gatherRows(double* const* row, const double* V, int rows, int cols, int first,
                       int count) {
    for (int j = 0; j < cols; ++j) {
        const double* column = V + static_cast<std::ptrdiff_t>(j) * rows + first;
        for (int b = 0; b < count; ++b) row[b][j] = column[b];
    }
}

inline void scatterRows(double* X, const double* const* row, int rows, int cols, int first,
                        int count) {
    for (int j = 0; j < cols; ++j) {
        double* column = X + static_cast<std::ptrdiff_t>(j) * rows + first;
        for (int b = 0; b < count; ++b) column[b] = row[b][j];
    }
}

// Buffers for one block of rows of `cols` entries each: a thread's workspace, kept from range
// to range.
class RowBlock {
public:
    explicit RowBlock(int cols) : cols_(std::max(cols, 0)), data_(kRowBlock * cols_) {
        for (int b = 0; b < kRowBlock; ++b) row_[b] = data_.data() + b * cols_;
    }
    double* const* rows() { return row_; }

    // A copy's rows would be the original's buffers; a move keeps the buffers.
    RowBlock(const RowBlock&) = delete;
    RowBlock& operator=(const RowBlock&) = delete;
    RowBlock(RowBlock&&) = default;

private:
    std::size_t cols_;
    std::vector<double> data_;
    double* row_[kRowBlock];
};

// For every block of rows first..last-1: gathers its `count` rows (at most kRowBlock) into `in`
// and calls visit(in's rows, index of the block's first row, count).
template <class Visit>
void forEachRowBlock(const double* V, int rows, int cols, int first, int last, RowBlock& in,
                     const Visit& visit) {
    for (; first < last; first += kRowBlock) {
        const int count = std::min(kRowBlock, last - first);
        gatherRows(in.rows(), V, rows, cols, first, count);
        visit(in.rows(), first, count);
    }
}

// Rows that a thread takes at once when it transforms them. Threads write to a cache line of
// X together only at the ends of ranges (with ranges of one block that cost 3 % more CPU
// time), and the last range leaves the other threads idle for a short time only.
const int kRowsPerRange = 4 * kRowBlock;

// X(i, :) = the rows of `transform(out, in, count)`, which fills out[b] from in[b]. Ranges
// of rows are shared out among threads; workPerRow estimates a row's cost
// (support/parallel.hpp).
template <class Transform>
void transformRows(double* X, const double* V, int rows, int cols, double workPerRow,
                   const Transform& transform) {
    parallel::forEachRange(rows, workPerRow, kRowsPerRange, [&] {
        return [&, in = RowBlock(cols), out = RowBlock(cols)](std::ptrdiff_t first,
                                                              std::ptrdiff_t last) mutable {
            forEachRowBlock(V, rows, cols, static_cast<int>(first), static_cast<int>(last), in,
                            [&](double* const* inRows, int firstRow, int count) {
                                transform(out.rows(), inRows, count);
                                scatterRows(X, out.rows(), rows, cols, firstRow, count);
                            });
        };
    });
}

// The largest of measure(row, cols) over the rows, and 0 if none is larger (NaN passed over).
// Rows are handed out a block at a time, so that a thread that drew cheap rows takes more
// (one row may cost ten times another); each thread measures with its own makeMeasure(), so
// that no workspace is shared. The row results are then compared in row order.
template <class MakeMeasure>
double largestOverRows(const double* V, int rows, int cols, double workPerRow,
                       const MakeMeasure& makeMeasure) {
    double value = 0.0;
    if (rows <= 0) return value;
    std::vector<double> results(static_cast<std::size_t>(rows));
    parallel::forEachRange(rows, workPerRow, kRowBlock, [&] {
        return [&, measure = makeMeasure(), in = RowBlock(cols)](std::ptrdiff_t first,
                                                                 std::ptrdiff_t last) mutable {
            forEachRowBlock(V, rows, cols, static_cast<int>(first), static_cast<int>(last), in,
                            [&](double* const* inRows, int firstRow, int count) {
                                for (int b = 0; b < count; ++b)
                                    results[firstRow + b] = measure(inRows[b], cols);
                            });
        };
    });
    for (double result : results)
        if (result > value) value = result;
    return value;
}

}  // namespace treetable
