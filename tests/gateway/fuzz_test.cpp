// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// Every built module against random calls: half of them its valid call (valid_calls.hpp) with
// random values in its arrays of values, half random argument lists (wrong counts, classes,
// shapes, sizes, NaN and infinities). A module must either return or raise an
// error of its own ("<module>:<reason>"); a crash, a hang (the test's timeout), a host-API
// misuse or an escaped exception fails the test. Run under the sanitizers, this also catches
// reads and writes outside the arrays.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <limits>
#include <memory>
#include <random>

#include "tests/gateway/support/modules.hpp"
#include "tests/gateway/support/valid_calls.hpp"

namespace {

using mexhost::Array;

const double kNan = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();

// At least one call in this many reaches the routine and returns: about one in six does for
// every module, nearly all from the valid calls with redrawn values.
const int kLeastSucceedingShare = 10;

// The same arguments on every platform: the generator's numbers are fixed by the standard,
// and they are mapped to choices here rather than by a distribution, whose mapping each
// standard library chooses.
class RandomArguments {
public:
    explicit RandomArguments(std::uint32_t seed) : rng_(seed) {}

    int below(int bound) { return static_cast<int>(rng_() % static_cast<std::uint32_t>(bound)); }

    // Mostly small counts and indices, so that calls often pass the checks and reach the
    // routines; sometimes values that no check should let through. Never a large count that
    // would make a valid call run for long.
    double value() {
        static const double plain[] = {0, 1, 2, 3, 4, 5, 1, 2, 3, 0.5, 2.7, 1.5, -1, 0.25};
        static const double exotic[] = {-0.5, 1e-9, 100, -1e9, 3e9, 1e300, -1e300,
                                        kNan, kInf, -kInf, -0.0, -2, 8, 6};
        if (below(4) > 0) return plain[below(sizeof plain / sizeof plain[0])];
        return exotic[below(sizeof exotic / sizeof exotic[0])];
    }

    // The argument with each element of an array of values redrawn at even odds, which keeps
    // most calls valid and sends them into the routines with values of every kind. A square
    // array stays symmetric (element (j, i) takes the value drawn for (i, j)), as a
    // covariance must be to pass its module's checks.
    Array redrawn(const validcalls::Argument& argument) {
        if (argument.kind != validcalls::Kind::data) return validcalls::arrayOf(argument);
        validcalls::Argument changed = argument;
        const bool square = changed.rows > 1 && changed.rows == changed.cols;
        const std::size_t order = static_cast<std::size_t>(changed.rows);
        for (std::size_t k = 0; k < changed.values.size(); ++k) {
            const std::size_t row = square ? k % order : 0, col = square ? k / order : 0;
            if (square && row > col)
                changed.values[k] = changed.values[row * order + col];
            else if (below(2) == 0)
                changed.values[k] = value();
        }
        return validcalls::arrayOf(changed);
    }

    Array argument() {
        const int kind = below(20);
        const std::size_t rows = static_cast<std::size_t>(below(5));
        const std::size_t cols = static_cast<std::size_t>(below(5));
        if (kind < 10) return Array::scalar(value());
        if (kind < 17) {
            std::vector<double> data(rows * cols);
            for (double& element : data) element = value();
            return Array::matrix(rows, cols, data);
        }
        switch (kind) {
            case 17: return Array::numeric(below(2) ? mxINT32_CLASS : mxSINGLE_CLASS, rows, cols);
            case 18: return below(2) ? Array::complexMatrix(rows, cols) : Array::sparseMatrix(rows, cols);
            default: {
                static const char* texts[] = {"", "abc", "/nonexistent/tree.txt", ".", "1 2 3"};
                return Array::text(texts[below(5)]);
            }
        }
    }

private:
    std::mt19937 rng_;
};

// A seed of each module's own, the same on every platform: the FNV-1a hash of its name.
std::uint32_t seedOf(const std::string& name) {
    std::uint32_t hash = 2166136261u;
    for (unsigned char c : name) hash = (hash ^ c) * 16777619u;
    return hash;
}

// Calls per module: 10,000, or SPARSEMEX_FUZZ_CALLS for a longer campaign.
int callsPerModule() {
    const char* setting = std::getenv("SPARSEMEX_FUZZ_CALLS");
    return setting != nullptr && std::atoi(setting) > 0 ? std::atoi(setting) : 10000;
}

class ModuleFuzz : public testing::TestWithParam<std::string> {};

TEST_P(ModuleFuzz, NeverCrashesHangsOrMisusesTheHost) {
    const std::string name = GetParam();
    const mexhost::Module& module = modules::get(name);
    const validcalls::ValidCall& valid = validcalls::of(name);
    const int inputCount = static_cast<int>(valid.arguments.size());
    RandomArguments random(seedOf(name));
    int succeeded = 0;
    const int calls = callsPerModule();
    for (int call = 0; call < calls; ++call) {
        std::vector<Array> arguments;
        if (random.below(2) == 0) {
            for (const validcalls::Argument& argument : valid.arguments)
                arguments.push_back(random.redrawn(argument));
        } else {
            // Mostly the right number of inputs, so that calls reach the deeper checks.
            const int count = random.below(10) < 8 ? inputCount : random.below(8);
            for (int k = 0; k < count; ++k) arguments.push_back(random.argument());
        }
        std::vector<const Array*> inputs;
        for (const Array& argument : arguments) inputs.push_back(&argument);
        const int nlhs = random.below(5);
        try {
            module.call(nlhs, inputs);
            ++succeeded;
        } catch (const mexhost::HostError& error) {
            ASSERT_EQ(error.identifier().rfind(name + ":", 0), 0u)
                << "call " << call << ": " << error.identifier() << ": " << error.what();
        }
    }
    // A generator that stopped making valid calls would leave the routines untried.
    RecordProperty("succeeded", succeeded);
    EXPECT_GE(succeeded, calls / kLeastSucceedingShare)
        << name << ": " << succeeded << " of " << calls << " calls succeeded";
}

INSTANTIATE_TEST_SUITE_P(EveryModule, ModuleFuzz, testing::ValuesIn(modules::all()),
                         [](const testing::TestParamInfo<std::string>& info) { return info.param; });

}  // namespace
