// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// Independent solutions of the isotonic problem on a tree: minimise ½‖x − v‖² subject to
// x[parent] >= x[child] on every edge, and x >= 0 when asked.
#pragma once

#include <limits>
#include <numeric>
#include <vector>

namespace reference {

// By exhaustion, for trees of a few nodes. The optimum is constant on the connected blocks
// left by some set of cut edges and takes on each block its mean, or 0 where the bound holds
// the block down; trying every cut set and every choice of held blocks, the best feasible
// candidate is the optimum. parent[k] < 0 marks the root.
inline std::vector<double> bruteForceTreeFit(const std::vector<int>& parent,
                                             const std::vector<double>& v, bool nonnegative) {
    const int n = static_cast<int>(v.size());
    std::vector<int> edges;
    for (int k = 0; k < n; ++k)
        if (parent[k] >= 0) edges.push_back(k);
    const double slack = 1e-12;
    std::vector<double> best;
    double bestObjective = std::numeric_limits<double>::infinity();
    for (unsigned cut = 0; cut < (1u << edges.size()); ++cut) {
        // Blocks: follow uncut edges up to the top node of each block.
        std::vector<int> top(static_cast<std::size_t>(n));
        for (int k = 0; k < n; ++k) {
            int t = k;
            for (;;) {
                std::size_t e = 0;
                while (e < edges.size() && edges[e] != t) ++e;
                if (e == edges.size() || (cut >> e & 1u)) break;
                t = parent[t];
            }
            top[k] = t;
        }
        std::vector<int> blockOf(static_cast<std::size_t>(n), -1);
        std::vector<long double> sum, count;
        for (int k = 0; k < n; ++k) {
            if (blockOf[top[k]] < 0) {
                blockOf[top[k]] = static_cast<int>(sum.size());
                sum.push_back(0);
                count.push_back(0);
            }
            sum[blockOf[top[k]]] += v[k];
            count[blockOf[top[k]]] += 1;
        }
        const unsigned holds = nonnegative ? 1u << sum.size() : 1u;
        for (unsigned held = 0; held < holds; ++held) {
            std::vector<double> x(static_cast<std::size_t>(n));
            for (int k = 0; k < n; ++k) {
                const int b = blockOf[top[k]];
                x[k] = (held >> b & 1u) ? 0.0 : static_cast<double>(sum[b] / count[b]);
            }
            bool feasible = true;
            for (int k = 0; k < n && feasible; ++k) {
                if (parent[k] >= 0 && x[parent[k]] < x[k] - slack) feasible = false;
                if (nonnegative && x[k] < -slack) feasible = false;
            }
            if (!feasible) continue;
            double objective = 0;
            for (int k = 0; k < n; ++k) objective += (x[k] - v[k]) * (x[k] - v[k]);
            if (objective < bestObjective) {
                bestObjective = objective;
                best = x;
            }
        }
    }
    return best;
}

// Pool adjacent violators for a chain whose first element is the top: x non-increasing
// (and clipped at 0 when asked, which keeps the fit optimal for a lower bound).
inline std::vector<double> poolAdjacentViolators(const std::vector<double>& v, bool nonnegative) {
    std::vector<long double> sum;
    std::vector<std::size_t> count;
    for (double value : v) {
        sum.push_back(value);
        count.push_back(1);
        while (sum.size() > 1 &&
               sum[sum.size() - 2] / count[count.size() - 2] <= sum.back() / count.back()) {
            sum[sum.size() - 2] += sum.back();
            count[count.size() - 2] += count.back();
            sum.pop_back();
            count.pop_back();
        }
    }
    std::vector<double> x;
    for (std::size_t b = 0; b < sum.size(); ++b) {
        double mean = static_cast<double>(sum[b] / count[b]);
        if (nonnegative && mean < 0) mean = 0;
        x.insert(x.end(), count[b], mean);
    }
    return x;
}

}  // namespace reference
