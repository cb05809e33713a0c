// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// The critical weight of a tree-structured group penalty at v: the smallest common factor of
// the node weights at which the proximal operator maps v to zero.
//
// The operator is a black box to the search: a first estimate sqrt(sum v_i^2 / sum w_k^2),
// then doubling (while the operator gives a non-zero result) or halving (while it gives zero),
// then bisection to a relative gap of 1e-10. The result is always a factor at which the
// operator gives zero. During halving the upper end stays at the first estimate.
//
// Inputs on which that search could not end have answers of their own, found before it
// starts: an empty or all-zero v gives 0 (every factor zeroes it); a non-zero entry that no
// node reaches, or weights that are all zero, give +infinity (no finite factor zeroes it).
// The guards inside the search act only where it would otherwise repeat the same step
// forever, so they never change a result that the search reaches.
#pragma once

#include <cfloat>
#include <cmath>
#include <limits>
#include <vector>

#include "support/scaled_length.hpp"
#include "support/interrupt.hpp"
#include "treetable/matrix_rows.hpp"
#include "treetable/tree_prox.hpp"

namespace treetable {

template <class Positions>
class CriticalWeightSearch {
public:
    // Working memory for vectors of up to `capacity` entries.
    explicit CriticalWeightSearch(int capacity)
        : result_(capacity > 0 ? static_cast<std::size_t>(capacity) : 0) {}

    double run(const double* v, int n, const double* ind, int nodes, const Positions& at) {
        const double infinity = std::numeric_limits<double>::infinity();
        const bool hasL1Node = startsWithL1Node(ind);
        if (allZero(v, n)) return 0.0;
        if (allWeightsZero(ind, nodes, hasL1Node)) return infinity;
        if (!hasL1Node && !zeroAt(v, n, ind, nodes, at, InfiniteWeights{})) return infinity;

        const double start = startingFactor(firstEstimate(v, n, ind, nodes, hasL1Node));
        double lower = start;
        double upper = start;
        if (!zeroAt(v, n, ind, nodes, at, ScaledWeights{start})) {
            for (;;) {
                upper = lower + lower;
                if (pastLargestDouble(upper)) {
                    // Doubling leaves the double range: its last step is the largest double.
                    upper = DBL_MAX;
                    if (zeroAt(v, n, ind, nodes, at, ScaledWeights{upper})) break;
                    return infinity;
                }
                if (zeroAt(v, n, ind, nodes, at, ScaledWeights{upper})) break;
                lower = upper;
            }
        } else {
            for (;;) {
                lower = lower * 0.5;
                if (!zeroAt(v, n, ind, nodes, at, ScaledWeights{lower})) break;
                if (lower == 0.0) return 0.0;  // the factor 0 itself gives zero
            }
        }
        while (std::fabs(upper - lower) > upper * 1e-10) {
            const double middle = halfSum(lower, upper);
            // Only among subnormal factors can the gap test stay true while no double lies
            // strictly between the ends.
            if (middle == lower || middle == upper) break;
            if (zeroAt(v, n, ind, nodes, at, ScaledWeights{middle}))
                upper = middle;
            else
                lower = middle;
        }
        return upper;
    }

private:
    static bool allZero(const double* x, int n) {
        for (int i = 0; i < n; ++i)
            if (!(x[i] == 0.0)) return false;
        return true;
    }

    // Whether every node that the operator applies has weight zero (vacuously true when it
    // applies none).
    static bool allWeightsZero(const double* ind, int nodes, bool hasL1Node) {
        if (hasL1Node && ind[2] != 0.0) return false;
        for (int k = firstGroupNode(hasL1Node); k < nodes; ++k)
            if (nodeAt(ind, k).weight != 0.0) return false;
        return true;
    }

    // sqrt(sum v_i^2 / sum w_k^2), the L1 weight counted once per entry.
    static double firstEstimate(const double* v, int n, const double* ind, int nodes,
                                bool hasL1Node) {
        double squares = 0.0;
        for (int i = 0; i < n; ++i) squares = squares + v[i] * v[i];
        const double w0 = ind[2];
        double weights = hasL1Node ? (static_cast<double>(n) * w0) * w0 : w0 * w0;
        for (int k = 1; k < nodes; ++k) {
            const double w = nodeAt(ind, k).weight;
            weights = weights + w * w;
        }
        const bool weightsNormal = weights >= DBL_MIN && weights <= DBL_MAX;
        if (squares >= DBL_MIN && squares <= DBL_MAX && weightsNormal)
            return std::sqrt(squares / weights);
        // A sum out of the normal range: the quotient of the two lengths, each taken scaled.
        const int l1Count = hasL1Node ? n : 1;
        const auto entry = [v](std::ptrdiff_t i) { return v[i]; };
        const double dataLength = lengthFromSumOfSquares(squares, n, entry);
        const double weightLength = lengthFromSumOfSquares(
            weights, l1Count + (nodes > 1 ? nodes - 1 : 0), [=](std::ptrdiff_t k) {
                return k < l1Count ? w0 : nodeAt(ind, static_cast<int>(k - l1Count) + 1).weight;
            });
        if (pastLargestDouble(dataLength)) {
            // The same steps on v in units of 2^600, where its squares sum normally.
            const double longSquares = squaresInLongUnits(n, entry);
            if (weightsNormal) return fromLongUnits(std::sqrt(longSquares / weights));
            return fromLongUnits(std::sqrt(longSquares) / weightLength);
        }
        return dataLength / weightLength;
    }

    // Doubling and halving need a positive finite start; an estimate of 0, infinity or NaN
    // (squares or weights out of the double range) would repeat one factor forever.
    static double startingFactor(double estimate) {
        if (estimate > 0.0 && estimate < std::numeric_limits<double>::infinity()) return estimate;
        if (estimate == 0.0) return DBL_MIN;
        if (estimate > 0.0) return DBL_MAX;
        return 1.0;
    }

    // One pass of the operator over a large tree can take seconds: the passes poll for an
    // interrupt as they go, all on the one poll of the search.
    template <class Weights>
    bool zeroAt(const double* v, int n, const double* ind, int nodes, const Positions& at,
                const Weights& weights) {
        applyTree(result_.data(), v, n, ind, nodes, at, weights, poll_);
        return allZero(result_.data(), n);
    }

    std::vector<double> result_;
    InterruptPoll poll_;
};

template <class Positions>
double criticalWeightOf(const double* v, int n, const double* ind, int nodes, const Positions& at) {
    CriticalWeightSearch<Positions> search(n);
    return search.run(v, n, ind, nodes, at);
}

// The largest critical weight over the rows of V, and 0 if none is larger. One workspace
// serves every row that a thread takes.
template <class Positions>
double largestCriticalWeightOverRows(const double* V, int rows, int cols, const double* ind,
                                     int nodes, const Positions& at) {
    // A search takes some fifty passes of the operator.
    const double workPerRow = 50.0 * (2.0 * cols + 4.0 * nodes);
    return largestOverRows(V, rows, cols, workPerRow, [&] {
        return [&, search = CriticalWeightSearch<Positions>(cols)](const double* row,
                                                                   int length) mutable {
            return search.run(row, length, ind, nodes, at);
        };
    });
}

}  // namespace treetable
