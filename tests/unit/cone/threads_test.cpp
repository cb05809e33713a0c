// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// The row-wise and group-wise cone projections give the same bits whatever the thread count.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "cone/cone.hpp"
#include "tests/support/random.hpp"
#include "tests/support/thread_count.hpp"

namespace {

using testthreads::Outcome;

TEST(ConeThreads, RowConeRows) {
    std::mt19937_64 rng(61);
    const int m = 301, n = 600;
    const std::vector<double> V = testdata::awkward(rng, static_cast<std::size_t>(m) * n);
    // Bounds around the row norms (about 24), so that rows land in all three regions.
    std::vector<double> c = testdata::gaussian(rng, m, 30.0);
    testthreads::expectSameUnderEveryThreadCount([&] {
        Outcome outcome{std::vector<double>(V.size() + m, -7.0), ""};
        rowCone(outcome.values.data(), &outcome.values[V.size()], V.data(), c.data(), m, n);
        return outcome;
    });
}

TEST(ConeThreads, ElementConeElements) {
    std::mt19937_64 rng(63);
    const int n = 1000003;
    const std::vector<double> v = testdata::awkward(rng, n), c = testdata::awkward(rng, n);
    testthreads::expectSameUnderEveryThreadCount([&] {
        Outcome outcome{std::vector<double>(2 * v.size(), -7.0), ""};
        elementCone(outcome.values.data(), &outcome.values[v.size()], v.data(), c.data(), n);
        return outcome;
    });
}

// Groups over n elements whose boundaries are `b`, projected under every thread count.
void expectSameGroups(const std::vector<double>& v, const std::vector<double>& b,
                      const std::vector<double>& c) {
    const int n = static_cast<int>(v.size()), g = static_cast<int>(c.size());
    testthreads::expectSameUnderEveryThreadCount([&] {
        Outcome outcome{std::vector<double>(v.size() + g, -7.0), ""};
        powerShadowVectorR(outcome.values.data(), &outcome.values[v.size()], v.data(), c.data(),
                           b.data(), n, g);
        return outcome;
    });
}

TEST(ConeThreads, PowerShadowVectorRGroupsApartAndOverlapping) {
    std::mt19937_64 rng(62);
    const int n = 200000, g = 53;
    const std::vector<double> v = testdata::awkward(rng, n);
    std::vector<double> c = testdata::gaussian(rng, g, 40.0);
    std::uniform_int_distribution<int> at(0, n);
    std::vector<double> b(g + 1);
    for (double& boundary : b) boundary = at(rng);
    std::sort(b.begin(), b.end());
    expectSameGroups(v, b, c);

    // Overlapping groups: the last one in table order writes, as on one thread.
    std::reverse(b.begin() + 10, b.begin() + 20);
    b[30] = 0;
    b[31] = n;
    expectSameGroups(v, b, c);
}

}  // namespace
