// The proximal operator of a tree-structured group penalty
//
//   Omega(x) = w0 * sum_i |x_i| + sum_k w_k * ||x over group k||_2,
//
// computed by applying the nodes of the table one after another to a working copy of v: the
// L1 node soft-thresholds every entry, every other node shrinks its group toward zero in
// Euclidean length. When every node is listed after the nodes nested inside it, the
// composition is the proximal operator. Comparisons are strict, so a group whose length
// equals its weight goes to zero.
#pragma once

#include <algorithm>
#include <cmath>
#include <limits>

#include "indextree/matrix_rows.hpp"
#include "indextree/node_table.hpp"

namespace treetable {

// The weights a pass uses: the table's own, the table's times a common factor, or +infinity
// for every node (which zeroes every entry that some node reaches).
struct TableWeights {
    double operator()(double weight) const { return weight; }
};
struct ScaledWeights {
    double factor;
    double operator()(double weight) const { return factor * weight; }
};
struct InfiniteWeights {
    double operator()(double) const { return std::numeric_limits<double>::infinity(); }
};

// Euclidean length of a node's group, its squares summed in list order from 0.0.
template <class Positions>
double groupLength(const double* x, const Node& node, const Positions& at) {
    double sum = 0.0;
    for (int j = node.first; j < node.end; ++j) {
        const double value = x[at[j]];
        sum = sum + value * value;
    }
    return std::sqrt(sum);
}

// Shrinks the group by `weight` in Euclidean length; to +0 when its length is not larger
// (a NaN length included).
template <class Positions>
void shrinkGroup(double* x, const Node& node, double weight, const Positions& at) {
    const double length = groupLength(x, node, at);
    if (length > weight) {
        const double factor = (length - weight) / length;
        for (int j = node.first; j < node.end; ++j) x[at[j]] = x[at[j]] * factor;
    } else {
        for (int j = node.first; j < node.end; ++j) x[at[j]] = 0.0;
    }
}

inline void softThreshold(double* x, const double* v, int n, double threshold) {
    for (int i = 0; i < n; ++i) {
        if (v[i] > threshold)
            x[i] = v[i] - threshold;
        else if (v[i] < -threshold)
            x[i] = v[i] + threshold;
        else
            x[i] = 0.0;
    }
}

// x = the operator at v (n entries; x and v distinct), with the weights that `weights` gives.
template <class Positions, class Weights>
void applyTree(double* x, const double* v, int n, const double* ind, int nodes, const Positions& at,
               const Weights& weights) {
    const bool hasL1Node = startsWithL1Node(ind);
    if (hasL1Node)
        softThreshold(x, v, n, weights(ind[2]));
    else if (n > 0)
        std::copy(v, v + n, x);
    for (int k = firstGroupNode(hasL1Node); k < nodes; ++k) {
        const Node node = nodeAt(ind, k);
        shrinkGroup(x, node, weights(node.weight), at);
    }
}

// X = the operator applied to every row of V, with the table's own weights.
template <class Positions>
void applyTreeToRows(double* X, const double* V, int rows, int cols, const double* ind, int nodes,
                     const Positions& at) {
    transformRows(X, V, rows, cols, [&](double* out, const double* in, int length) {
        applyTree(out, in, length, ind, nodes, at, TableWeights{});
    });
}

}  // namespace treetable
