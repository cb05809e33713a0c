// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// A pending interrupt through the embedded host's hook: the call fails with
// "<module>:interrupted", its input as it was, and the next call runs as usual.
#include <gtest/gtest.h>

#include <vector>

#include "tests/gateway/support/interrupts.hpp"

namespace {

using mexhost::Array;

// Strictly decreasing positive data: chainDescend scans the rest of v once per position.
Array decreasing(int n) {
    std::vector<double> values(n);
    for (int i = 0; i < n; ++i) values[i] = n - i;
    return Array::column(values);
}

class InterruptHook : public testing::Test {
protected:
    void TearDown() override { mexhost::interruptAtPoll(0); }
};

TEST_F(InterruptHook, FailsTheLongCallAndLeavesTheInputAsItWas) {
    const Array v = decreasing(2000), n = Array::scalar(2000);
    const Array before = v.copy();
    mexhost::interruptAtPoll(3);
    const mexhost::HostError error =
        modules::expectError(modules::get("chainDescend"), 1, {&v, &n}, "chainDescend:interrupted");
    EXPECT_NE(std::string(error.what()).find("interrupted"), std::string::npos);
    EXPECT_TRUE(v.sameAs(before));

    mexhost::interruptAtPoll(0);
    const mexhost::CallResult result = modules::get("chainDescend").call(1, {&v, &n});
    EXPECT_EQ(result.outputs[0].values(), v.values());  // decreasing data is its own fit
}

TEST_F(InterruptHook, ShortCallsNeverReachAPoll) {
    // 200 positions scan about 20,000 elements, below one poll interval.
    const Array v = decreasing(200), n = Array::scalar(200);
    mexhost::interruptAtPoll(1);
    EXPECT_NO_THROW(modules::get("chainDescend").call(1, {&v, &n}));
}

TEST_F(InterruptHook, ChainAscendAnswersOnALongSequence) {
    // Linear time, but a sequence of a hundred million positions takes a second.
    const Array v = decreasing(200000), n = Array::scalar(200000);
    modules::expectInterrupted("chainAscend", 1, {&v, &n});
}

}  // namespace
