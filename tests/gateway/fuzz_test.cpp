// Every built module against random argument lists: wrong counts, classes, shapes, sizes,
// NaN and infinities, occasionally a valid call. A module must either return or raise an
// error of its own ("<module>:<reason>"); a crash, a hang (the test's timeout), a host-API
// misuse or an escaped exception fails the test. Run under the sanitizers, this also catches
// reads and writes outside the arrays.
#include <gtest/gtest.h>

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
        static const double pool[] = {0,    1,    2,    3,    4,     5,    6,    -1,    0.5,
                                      2.7,  -0.5, 1e-9, 100,  -1e9,  3e9,  1e300, -1e300, kNan,
                                      kInf, -kInf, -0.0, 0.25, 1.5, -2, 8, 2, 3, 1};
        return pool[below(sizeof pool / sizeof pool[0])];
    }

    Array argument() {
        const int kind = below(20);
        const std::size_t rows = static_cast<std::size_t>(below(5));
        const std::size_t cols = static_cast<std::size_t>(below(5));
        if (kind < 7) return Array::scalar(value());
        if (kind < 15) {
            std::vector<double> data(rows * cols);
            for (double& element : data) element = value();
            return Array::matrix(rows, cols, data);
        }
        switch (kind) {
            case 15: return Array::numeric(mxINT32_CLASS, rows, cols);
            case 16: return Array::numeric(mxSINGLE_CLASS, 1, 1);
            case 17: return Array::complexMatrix(rows, cols);
            case 18: return Array::sparseMatrix(rows, cols);
            default: {
                static const char* texts[] = {"", "abc", "/nonexistent/tree.txt", ".", "1 2 3"};
                return Array::text(texts[below(5)]);
            }
        }
    }

private:
    std::mt19937 rng_;
};

class ModuleFuzz : public testing::TestWithParam<std::string> {};

TEST_P(ModuleFuzz, NeverCrashesHangsOrMisusesTheHost) {
    const std::string name = GetParam();
    const mexhost::Module& module = modules::get(name);
    RandomArguments random(static_cast<unsigned>(std::hash<std::string>()(name)));
    int succeeded = 0;
    for (int call = 0; call < 3000; ++call) {
        std::vector<Array> arguments;
        const int count = random.below(8);
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
