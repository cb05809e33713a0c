// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// Two routines timed alternately on the same input, so that a shared, busy machine slows both
// alike: each benchmark iteration runs both once, in alternating order, and the counters give
// the median time per element of each, the median of the per-iteration ratios, and the spread
// of those ratios (the 10th to 90th percentile range, relative to the median) as the noise.
// Times are the calling thread's CPU time where the system offers it, wall time elsewhere.
#pragma once

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <tuple>
#include <utility>
#include <vector>
#if defined(__linux__)
#include <time.h>
#endif

namespace sidebyside {

inline double seconds() {
#if defined(__linux__)
    timespec now;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + 1e-9 * static_cast<double>(now.tv_nsec);
#else
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
#endif
}

inline double quantile(std::vector<double> values, double q) {
    const std::size_t k = static_cast<std::size_t>(q * static_cast<double>(values.size() - 1));
    std::nth_element(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(k), values.end());
    return values[k];
}

// Runs `first` and then `second` back to back; returns their times in that order.
template <class First, class Second>
std::pair<double, double> timeInTurn(First& first, Second& second) {
    const double t0 = seconds();
    first();
    const double t1 = seconds();
    second();
    return {t1 - t0, seconds() - t1};
}

// `ours` and `peer` are callables without arguments; n is the number of elements per call.
template <class Ours, class Peer>
void run(benchmark::State& state, std::size_t n, Ours ours, Peer peer) {
    std::vector<double> oursTimes, peerTimes, ratios;
    bool oursFirst = true;
    for (auto _ : state) {
        double tOurs, tPeer;
        if (oursFirst)
            std::tie(tOurs, tPeer) = timeInTurn(ours, peer);
        else
            std::tie(tPeer, tOurs) = timeInTurn(peer, ours);
        oursFirst = !oursFirst;
        oursTimes.push_back(tOurs);
        peerTimes.push_back(tPeer);
        if (tPeer > 0) ratios.push_back(tOurs / tPeer);
    }
    if (ratios.empty()) return;
    const double perElement = 1e9 / static_cast<double>(n);
    state.counters["ours_ns"] = quantile(oursTimes, 0.5) * perElement;
    state.counters["peer_ns"] = quantile(peerTimes, 0.5) * perElement;
    const double ratio = quantile(ratios, 0.5);
    state.counters["ratio"] = ratio;
    state.counters["noise"] = (quantile(ratios, 0.9) - quantile(ratios, 0.1)) / ratio;
}

}  // namespace sidebyside
