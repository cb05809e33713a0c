// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// The interrupt poll's helpers for short steps: stretches of a loop with a poll between them,
// and work gathered locally before it reaches a poll. Each must cover all the work, ask the
// host once per interval of it, and stop at the first poll that sees an interrupt.
#include <gtest/gtest.h>

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include "support/interrupt.hpp"
#include "tests/support/interrupt_hook.hpp"

namespace {

using Stretch = std::pair<std::ptrdiff_t, std::ptrdiff_t>;

std::vector<Stretch> stretchesOf(std::ptrdiff_t begin, std::ptrdiff_t end, long long workPerItem) {
    std::vector<Stretch> stretches;
    InterruptPoll poll;
    forEachPolledStretch(begin, end, workPerItem, poll, [&](std::ptrdiff_t first,
                                                            std::ptrdiff_t last) {
        stretches.push_back({first, last});
    });
    return stretches;
}

TEST(PolledStretches, CoverTheItemsInOrderAnIntervalOfWorkAtATime) {
    const long long interval = InterruptPoll::kInterval;
    const std::vector<Stretch> one = stretchesOf(5, 5 + 2 * interval + 3, 1);
    const std::vector<Stretch> expected = {{5, 5 + interval},
                                           {5 + interval, 5 + 2 * interval},
                                           {5 + 2 * interval, 5 + 2 * interval + 3}};
    EXPECT_EQ(one, expected);
    // Items of more work than an interval come one at a time; none at all gives no stretch.
    EXPECT_EQ(stretchesOf(0, 3, 2 * interval), (std::vector<Stretch>{{0, 1}, {1, 2}, {2, 3}}));
    EXPECT_TRUE(stretchesOf(7, 7, 1).empty());
}

TEST(PolledStretches, StopAfterTheStretchWhosePollSeesAnInterrupt) {
    std::vector<Stretch> done;
    const std::string reason = reasonUnderInterrupt([&] {
        InterruptPoll poll;
        forEachPolledStretch(0, 10 * InterruptPoll::kInterval, 1, poll,
                             [&](std::ptrdiff_t first, std::ptrdiff_t last) {
                                 done.push_back({first, last});
                             });
    });
    EXPECT_EQ(reason, "interrupted");
    EXPECT_EQ(done.size(), 1u);
}

TEST(PollBatch, AsksOnceAnIntervalHasGathered) {
    EXPECT_EQ(reasonUnderInterrupt([] {
                  InterruptPoll poll;
                  PollBatch batch(poll);
                  for (long long k = 1; k < InterruptPoll::kInterval; ++k) batch.add(1);
              }),
              "finished");
    EXPECT_EQ(reasonUnderInterrupt([] {
                  InterruptPoll poll;
                  PollBatch batch(poll);
                  for (long long k = 0; k < InterruptPoll::kInterval; ++k) batch.add(1);
              }),
              "interrupted");
    // What gathered below an interval still counts once handed over.
    EXPECT_EQ(reasonUnderInterrupt([] {
                  InterruptPoll poll;
                  PollBatch first(poll), second(poll);
                  first.add(InterruptPoll::kInterval / 2);
                  second.add(InterruptPoll::kInterval / 2);
                  first.handOver();
                  second.handOver();
              }),
              "interrupted");
}

}  // namespace
