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

#include "host/parallel.hpp"

namespace treetable {

// Rows per block: as many as the tree routines shrink side by side.
const int kRowBlock = 4;

// Rows gathered at once: a column's entries of 16 rows fill whole cache lines, and each page
// of a column that a gather visits serves four blocks instead of one (gathering and
// scattering a block at a time took a fifth of the tree operator's time and shared the memory
// bus badly between threads). Fewer rows when their buffers would outgrow kTileBytes.
const int kMostTileRows = 16;
const std::size_t kTileBytes = 1 << 17;

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

// How many rows of `cols` entries to gather at once: whole blocks, at least one, as many as
// fit in kTileBytes, at most kMostTileRows.
inline int tileRowsFor(int cols) {
    const std::size_t blockBytes = sizeof(double) * kRowBlock * static_cast<std::size_t>(std::max(cols, 1));
    const std::size_t blocks = std::max<std::size_t>(1, kTileBytes / blockBytes);
    return kRowBlock * static_cast<int>(std::min<std::size_t>(blocks, kMostTileRows / kRowBlock));
}

// Buffers for up to `capacity` rows of `cols` entries each.
class RowTile {
public:
    RowTile(int capacity, int cols)
        : cols_(static_cast<std::size_t>(std::max(cols, 0))),
          data_(static_cast<std::size_t>(std::max(capacity, 0)) * cols_),
          row_(static_cast<std::size_t>(std::max(capacity, 0))) {
        for (std::size_t b = 0; b < row_.size(); ++b) row_[b] = data_.data() + b * cols_;
    }
    int capacity() const { return static_cast<int>(row_.size()); }
    double* const* rows() { return row_.data(); }

private:
    std::size_t cols_;
    std::vector<double> data_;
    std::vector<double*> row_;
};

// For the rows first..last-1 of V, a tile at a time: gathers its `count` rows (at most the
// tile's capacity) into `in` and calls visit(in's rows, index of the tile's first row, count).
template <class Visit>
void forEachRowTile(const double* V, int rows, int cols, int first, int last, RowTile& in,
                    const Visit& visit) {
    for (; first < last; first += in.capacity()) {
        const int count = std::min(in.capacity(), last - first);
        gatherRows(in.rows(), V, rows, cols, first, count);
        visit(in.rows(), first, count);
    }
}

// X(i, :) = the rows of `transform(out, in, count)`, which fills out[b] from in[b] for a block
// of `count` rows (1 to kRowBlock). Tiles of rows are shared out among threads; workPerRow
// estimates a row's cost (host/parallel.hpp).
template <class Transform>
void transformRows(double* X, const double* V, int rows, int cols, double workPerRow,
                   const Transform& transform) {
    const int tileRows = std::min(tileRowsFor(cols), std::max(rows, 1));
    parallel::forEachRange(rows, workPerRow, tileRows, [&] {
        return [&, in = RowTile(tileRows, cols), out = RowTile(tileRows, cols)](
                   std::ptrdiff_t first, std::ptrdiff_t last) mutable {
            forEachRowTile(V, rows, cols, static_cast<int>(first), static_cast<int>(last), in,
                           [&](double* const* inRows, int firstRow, int count) {
                               for (int b = 0; b < count; b += kRowBlock)
                                   transform(out.rows() + b, inRows + b,
                                             std::min(kRowBlock, count - b));
                               scatterRows(X, out.rows(), rows, cols, firstRow, count);
                           });
        };
    });
}

// The largest of measure(row, cols) over the rows, and 0 if none is larger (NaN passed over).
// Rows are handed out a block at a time, so that a thread that drew cheap rows takes more
// (a row's cost may vary tenfold); each thread measures with its own makeMeasure(), so that
// no workspace is shared. The row results are then compared in row order.
template <class MakeMeasure>
double largestOverRows(const double* V, int rows, int cols, double workPerRow,
                       const MakeMeasure& makeMeasure) {
    double value = 0.0;
    if (rows <= 0) return value;
    std::vector<double> results(static_cast<std::size_t>(rows));
    const int blockRows = std::min(kRowBlock, rows);
    parallel::forEachRange(rows, workPerRow, blockRows, [&] {
        return [&, measure = makeMeasure(), in = RowTile(blockRows, cols)](
                   std::ptrdiff_t first, std::ptrdiff_t last) mutable {
            forEachRowTile(V, rows, cols, static_cast<int>(first), static_cast<int>(last), in,
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
