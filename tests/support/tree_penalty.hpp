// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// A tree-structured group penalty described the obvious way, for the tests and benchmarks:
// groups as lists of 0-based positions with their weights, and an optional L1 weight. It
// writes itself as a node table (index ranges, or slices of an index list) and gives
// independent references: the penalty, the objective 0.5*||x - v||^2 + Omega(x), and the
// proximal operator by a slow dual solver.
#pragma once

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

namespace testtrees {

struct Group {
    std::vector<int> positions;  // 0-based, in list order
    double weight;
};

struct TreePenalty {
    int n = 0;
    bool hasL1 = false;
    double l1Weight = 0;
    std::vector<Group> groups;  // in application order: nested groups first

    // The node table of index ranges; every group must be a run of consecutive positions.
    std::vector<double> rangeTable() const {
        std::vector<double> ind;
        if (hasL1) ind.insert(ind.end(), {-1, -1, l1Weight});
        for (const Group& group : groups) {
            const int first = group.positions.empty() ? 0 : group.positions.front();
            const double size = static_cast<double>(group.positions.size());
            ind.insert(ind.end(), {first + 1.0, first + size, group.weight});
        }
        return ind;
    }

    // The node table of slices of G, each group's positions written into G in turn.
    std::vector<double> listTable(std::vector<double>* G) const {
        G->clear();
        std::vector<double> ind;
        if (hasL1) ind.insert(ind.end(), {-1, -1, l1Weight});
        for (const Group& group : groups) {
            const double start = static_cast<double>(G->size()) + 1;
            for (int p : group.positions) G->push_back(p + 1.0);
            ind.insert(ind.end(), {start, static_cast<double>(G->size()), group.weight});
        }
        return ind;
    }

    int nodes() const { return static_cast<int>(groups.size()) + (hasL1 ? 1 : 0); }

    // The same penalty with every weight times `factor`.
    TreePenalty scaled(double factor) const {
        TreePenalty copy = *this;
        copy.l1Weight *= factor;
        for (Group& group : copy.groups) group.weight *= factor;
        return copy;
    }
};

namespace reference {

// Omega(x), in long double.
inline long double penalty(const TreePenalty& tree, const std::vector<double>& x) {
    long double value = 0;
    if (tree.hasL1)
        for (double entry : x) value += tree.l1Weight * std::fabs(static_cast<long double>(entry));
    for (const Group& group : tree.groups) {
        long double squares = 0;
        for (int p : group.positions) squares += static_cast<long double>(x[p]) * x[p];
        value += group.weight * std::sqrt(squares);
    }
    return value;
}

inline long double objective(const TreePenalty& tree, const std::vector<double>& v,
                             const std::vector<double>& x) {
    long double distance = 0;
    for (std::size_t i = 0; i < v.size(); ++i)
        distance +=
            (static_cast<long double>(x[i]) - v[i]) * (static_cast<long double>(x[i]) - v[i]);
    return distance / 2 + penalty(tree, x);
}

// The operator as defined, one group at a time: soft thresholding by the L1 weight, then each
// group's squares summed in list order from 0.0 and the group scaled by (r - w) / r when
// r > w, set to +0 otherwise. For checking faster evaluation orders bit for bit.
inline std::vector<double> proxGroupByGroup(const TreePenalty& tree, const std::vector<double>& v) {
    std::vector<double> x = v;
    if (tree.hasL1)
        for (double& entry : x) {
            const double w = tree.l1Weight;
            entry = entry > w ? entry - w : entry < -w ? entry + w : 0.0;
        }
    for (const Group& group : tree.groups) {
        double squares = 0.0;
        for (int p : group.positions) squares = squares + x[p] * x[p];
        const double r = std::sqrt(squares);
        for (int p : group.positions)
            x[p] = r > group.weight ? x[p] * ((r - group.weight) / r) : 0.0;
    }
    return x;
}

// The minimiser of 0.5*||x - v||^2 + Omega(x) for nonnegative weights, by block coordinate
// ascent on the dual: x = v - sum_b u_b, each u_b supported on block b with ||u_b|| <= w_b
// (the L1 weight makes every single position a block). Blocks are visited in a fresh random
// order every sweep, so the result owes nothing to the order of the table.
inline std::vector<double> proxByDualAscent(const TreePenalty& tree, const std::vector<double>& v,
                                            std::mt19937_64& rng) {
    std::vector<Group> blocks = tree.groups;
    if (tree.hasL1)
        for (int i = 0; i < tree.n; ++i) blocks.push_back(Group{{i}, tree.l1Weight});
    std::vector<std::vector<long double>> u(blocks.size());
    for (std::size_t b = 0; b < blocks.size(); ++b) u[b].assign(blocks[b].positions.size(), 0);
    std::vector<long double> x(v.begin(), v.end());
    std::vector<std::size_t> order(blocks.size());
    for (std::size_t b = 0; b < order.size(); ++b) order[b] = b;

    for (int sweep = 0; sweep < 200000; ++sweep) {
        std::shuffle(order.begin(), order.end(), rng);
        long double change = 0;
        for (std::size_t b : order) {
            const std::vector<int>& positions = blocks[b].positions;
            std::vector<long double> z(positions.size());
            long double squares = 0;
            for (std::size_t j = 0; j < positions.size(); ++j) {
                z[j] = x[positions[j]] + u[b][j];
                squares += z[j] * z[j];
            }
            const long double length = std::sqrt(squares);
            const long double radius = blocks[b].weight;
            if (length > radius)
                for (long double& entry : z) entry *= radius / length;
            for (std::size_t j = 0; j < positions.size(); ++j) {
                x[positions[j]] += u[b][j] - z[j];
                change = std::max(change, std::fabs(u[b][j] - z[j]));
                u[b][j] = z[j];
            }
        }
        if (change < 1e-17L) break;
    }
    return std::vector<double>(x.begin(), x.end());
}

}  // namespace reference
}  // namespace testtrees
