// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// Independent references for the tests and benchmarks: slow, obvious, and written without
// reference to the algorithms they check.
#pragma once

#include <vector>

namespace reference {

// Euclidean projection onto the L1 ball of radius z by sorting the magnitudes. threshold
// receives the soft threshold (0 when v lies in the ball). Sums in long double.
std::vector<double> l1BallProjection(const std::vector<double>& v, double z,
                                     double* threshold = nullptr);

// The least-squares fit of v by a non-increasing sequence, clipped at 0: adjacent blocks are
// pooled while a block's mean exceeds the mean of the block before it. Sums in long double.
std::vector<double> nonincreasingNonnegativeFit(const std::vector<double>& v);

}  // namespace reference
