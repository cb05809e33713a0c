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

#include "support/interrupt.hpp"
#include "support/parallel.hpp"

namespace treetable {

// Rows per block: as many as the tree routines shrink side by side.
const int kRowBlock = 4;

// Rows first..first+count-1 of V into the buffers row[0..count-1], and back. Row indices are
// 64-bit: a block's end may lie past the largest int.
inline void gatherRows(double* const* row, const double* V, int rows, int cols,
                       std::ptrdiff_t first, int count) {
    for (int j = 0; j < cols; ++j) {
        const double* column = V + static_cast<std::ptrdiff_t>(j) * rows + first;
        for (int b = 0; b < count; ++b) row[b][j] = column[b];
    }
}

inline void scatterRows(double* X, const double* const* row, int rows, int cols,
                        std::ptrdiff_t first, int count) {
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
void forEachRowBlock(const double* V, int rows, int cols, std::ptrdiff_t first,
                     std::ptrdiff_t last, RowBlock& in, const Visit& visit) {
    for (; first < last; first += kRowBlock) {
        const int count = static_cast<int>(std::min<std::ptrdiff_t>(kRowBlock, last - first));
        gatherRows(in.rows(), V, rows, cols, first, count);
        visit(in.rows(), first, count);
    }
}

// Rows that a thread takes at once when it transforms them. Threads write to a cache line of
// X together only at the ends of ranges (with ranges of one block that cost 3 % more CPU
// time), and the last range leaves the other threads idle for a short time only.
const int kRowsPerRange = 4 * kRowBlock;

// X(i, :) = the rows of `transform(out, in, count, poll)`, which fills out[b] from in[b] and
// ticks the thread's interrupt poll as it works. Ranges of rows are shared out among threads;
// workPerRow estimates a row's cost (support/parallel.hpp). Rows without entries are all the
// same empty row: it is transformed once (which still checks the tree, as every row would),
// and nothing is written.
template <class Transform>
void transformRows(double* X, const double* V, int rows, int cols, double workPerRow,
                   const Transform& transform) {
    if (rows <= 0) return;
    if (cols <= 0) {
        RowBlock in(0), out(0);
        InterruptPoll poll;
        transform(out.rows(), in.rows(), 1, poll);
        return;
    }
    parallel::forEachRange(rows, workPerRow, kRowsPerRange, [&] {
        return [&, in = RowBlock(cols), out = RowBlock(cols), poll = InterruptPoll()](
                   std::ptrdiff_t first, std::ptrdiff_t last) mutable {
            forEachRowBlock(V, rows, cols, first, last, in,
                            [&](double* const* inRows, std::ptrdiff_t firstRow, int count) {
                                transform(out.rows(), inRows, count, poll);
                                scatterRows(X, out.rows(), rows, cols, firstRow, count);
                            });
        };
    });
}

// The largest of measure(row, cols) over the rows, and 0 if none is larger (NaN passed over).
// Rows are handed out a block at a time, so that a thread that drew cheap rows takes more
// (one row may cost ten times another); each thread measures with its own makeMeasure(), so
// that no workspace is shared. The row results are then compared in row order. Rows without
// entries are all the same empty row: it is measured once.
template <class MakeMeasure>
double largestOverRows(const double* V, int rows, int cols, double workPerRow,
                       const MakeMeasure& makeMeasure) {
    double value = 0.0;
    if (rows <= 0) return value;
    if (cols <= 0) {
        RowBlock empty(0);
        const double result = makeMeasure()(empty.rows()[0], 0);
        return result > value ? result : value;
    }
    std::vector<double> results(static_cast<std::size_t>(rows));
    parallel::forEachRange(rows, workPerRow, kRowBlock, [&] {
        return [&, measure = makeMeasure(), in = RowBlock(cols)](std::ptrdiff_t first,
                                                                 std::ptrdiff_t last) mutable {
            forEachRowBlock(V, rows, cols, first, last, in,
                            [&](double* const* inRows, std::ptrdiff_t firstRow, int count) {
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
