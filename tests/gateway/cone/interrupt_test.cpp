// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// Ctrl-C during the cone projections (the embedded host's hook) reaches the caller as
// "<module>:interrupted", never as an exception out of the module: on one thread, and during
// a threaded call, after which the next call gives the one-thread result.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "tests/gateway/support/interrupts.hpp"
#include "tests/gateway/support/modules.hpp"
#include "tests/support/random.hpp"
#include "tests/support/thread_count.hpp"

namespace {

using mexhost::Array;

const int kLength = 200000;

TEST(ConeModules, AnswerAnInterrupt) {
    const Array v = Array::column(std::vector<double>(kLength, 1.0));
    const Array c = Array::column(std::vector<double>(kLength, 0.5));
    const Array n = Array::scalar(kLength), one = Array::scalar(1);
    modules::expectInterrupted("elementCone", 2, {&v, &c, &n});
    modules::expectInterrupted("rowCone", 2, {&v, &c, &n, &one});
    const Array b = Array::column({0, kLength});
    modules::expectInterrupted("powerShadowVectorR", 2, {&v, &c, &b, &n, &one});
}

class ThreadedInterrupt : public testing::Test {
protected:
    void TearDown() override { mexhost::interruptAtPoll(0); }

    // Interrupted at the calling thread's first poll, then called again in peace.
    void expectInterruptedThenWhole(const std::string& name, const std::vector<const Array*>& in) {
        std::vector<Array> whole;
        {
            testthreads::ThreadsVariable one(1);
            whole = modules::get(name).call(2, in).outputs;
        }
        testthreads::ThreadsVariable threads(2);
        mexhost::interruptAtPoll(1);
        modules::expectError(modules::get(name), 2, in, name + ":interrupted");
        mexhost::interruptAtPoll(0);
        const std::vector<Array> again = modules::get(name).call(2, in).outputs;
        ASSERT_EQ(again.size(), whole.size());
        for (std::size_t k = 0; k < whole.size(); ++k) EXPECT_TRUE(again[k].sameAs(whole[k])) << k;
    }
};

TEST_F(ThreadedInterrupt, EveryConeModuleFailsWithItsIdentifier) {
    std::mt19937_64 rng(5);
    const int rows = 1000, cols = 200;
    const Array V = Array::matrix(rows, cols, testdata::gaussian(rng, rows * cols));
    const Array c = Array::column(testdata::gaussian(rng, rows * cols, 10.0));
    const Array m = Array::scalar(rows), n = Array::scalar(cols), size = Array::scalar(rows * cols);
    expectInterruptedThenWhole("elementCone", {&V, &c, &size});
    expectInterruptedThenWhole("rowCone", {&V, &c, &m, &n});
    std::vector<double> bounds(rows + 1);
    for (int k = 0; k <= rows; ++k) bounds[k] = k * cols;
    const Array b = Array::column(bounds);
    expectInterruptedThenWhole("powerShadowVectorR", {&V, &c, &b, &size, &m});
}

}  // namespace
