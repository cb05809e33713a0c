// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// Seeded random data for property tests and benchmarks.
#pragma once

#include <cstdint>
#include <random>
#include <vector>

namespace testdata {

inline std::vector<double> gaussian(std::mt19937_64& rng, std::size_t n, double scale = 1.0) {
    std::normal_distribution<double> normal(0.0, scale);
    std::vector<double> v(n);
    for (double& value : v) value = normal(rng);
    return v;
}

// Gaussian entries with some zeros (including -0), repeated magnitudes and sign flips mixed
// in, to reach the ties and the zero handling of the routines.
inline std::vector<double> awkward(std::mt19937_64& rng, std::size_t n) {
    std::vector<double> v = gaussian(rng, n);
    std::uniform_int_distribution<int> pick(0, 9);
    for (std::size_t i = 0; i < n; ++i) {
        const int kind = pick(rng);
        if (kind == 0) v[i] = 0.0;
        if (kind == 1) v[i] = -0.0;
        if (kind == 2 && i > 0) v[i] = -v[i - 1];
        if (kind == 3 && i > 0) v[i] = v[i - 1];
        if (kind == 4) v[i] = 1.0;
    }
    return v;
}

}  // namespace testdata
