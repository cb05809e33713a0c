// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// Every built module against random argument lists: wrong counts, classes, shapes, sizes,
// NaN and infinities, occasionally a valid call. A module must either return or raise an
// error of its own ("<module>:<reason>"); a crash, a hang (the test's timeout), a host-API
// misuse or an escaped exception fails the test. Run under the sanitizers, this also catches
// reads and writes outside the arrays.
#include <gtest/gtest.h>

#include <cstdlib>
#include <limits>
#include <memory>
#include <random>

#include "tests/gateway/support/modules.hpp"

namespace {

using mexhost::Array;

const double kNan = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();

class RandomArguments {
public:
    explicit RandomArguments(unsigned seed) : rng_(seed) {}

    int below(int bound) { return std::uniform_int_distribution<int>(0, bound - 1)(rng_); }

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

// The number of inputs a module takes: the smallest count that its count check accepts.
int inputCountOf(const mexhost::Module& module, const std::string& name) {
    for (int count = 0; count <= 12; ++count) {
        std::vector<Array> arguments;
        for (int k = 0; k < count; ++k) arguments.push_back(Array::scalar(1));
        std::vector<const Array*> inputs;
        for (const Array& argument : arguments) inputs.push_back(&argument);
        try {
            module.call(1, inputs);
            return count;
        } catch (const mexhost::HostError& error) {
            if (error.identifier() != name + ":inputCount") return count;
        }
    }
    return -1;
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
    const int inputs = inputCountOf(module, name);
    ASSERT_GE(inputs, 0) << name << " accepts no argument count up to 12";
    RandomArguments random(static_cast<unsigned>(std::hash<std::string>()(name)));
    int succeeded = 0;
    const int calls = callsPerModule();
    for (int call = 0; call < calls; ++call) {
        std::vector<Array> arguments;
        // Mostly the right number of inputs, so that calls reach the deeper checks.
        const int count = random.below(10) < 8 ? inputs : random.below(8);
        for (int k = 0; k < count; ++k) arguments.push_back(random.argument());
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
    // Successful random calls are rare but should not be impossible; record how many.
    RecordProperty("succeeded", succeeded);
}

INSTANTIATE_TEST_SUITE_P(EveryModule, ModuleFuzz, testing::ValuesIn(modules::all()),
                         [](const testing::TestParamInfo<std::string>& info) { return info.param; });

}  // namespace
