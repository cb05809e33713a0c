// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
#include "tests/support/references.hpp"

#include <algorithm>
#include <cmath>
#include <functional>

namespace reference {

std::vector<double> l1BallProjection(const std::vector<double>& v, double z, double* threshold) {
    std::vector<double> magnitudes;
    long double total = 0;
    for (double value : v) {
        magnitudes.push_back(std::fabs(value));
        total += std::fabs(value);
    }
    double theta = 0;
    if (total > z) {
        // The threshold is (sum of the k largest - z) / k for the largest k whose k-th
        // magnitude still exceeds it.
        std::sort(magnitudes.begin(), magnitudes.end(), std::greater<double>());
        long double prefix = 0;
        for (std::size_t k = 0; k < magnitudes.size(); ++k) {
            prefix += magnitudes[k];
            const long double candidate = (prefix - z) / static_cast<long double>(k + 1);
            if (magnitudes[k] > candidate) theta = static_cast<double>(candidate);
        }
    }
    std::vector<double> x(v.size());
    for (std::size_t i = 0; i < v.size(); ++i) {
        const double shrunk = std::max(std::fabs(v[i]) - theta, 0.0);
        x[i] = v[i] < 0 ? -shrunk : shrunk;
    }
    if (threshold != nullptr) *threshold = theta;
    return x;
}

std::vector<double> nonincreasingNonnegativeFit(const std::vector<double>& v) {
    struct Block {
        long double sum;
        std::size_t count;
    };
    std::vector<Block> blocks;
    for (double value : v) {
        blocks.push_back(Block{value, 1});
        // Pool while the last block's mean exceeds the one before it (compared by
        // cross-multiplying, counts being positive).
        while (blocks.size() > 1) {
            const Block& last = blocks.back();
            const Block& before = blocks[blocks.size() - 2];
            if (!(last.sum * before.count > before.sum * last.count)) break;
            const Block pooled{before.sum + last.sum, before.count + last.count};
            blocks.pop_back();
            blocks.back() = pooled;
        }
    }
    std::vector<double> x;
    for (const Block& block : blocks) {
        const double mean = static_cast<double>(block.sum / block.count);
        x.insert(x.end(), block.count, std::max(mean, 0.0));
    }
    return x;
}

}  // namespace reference
