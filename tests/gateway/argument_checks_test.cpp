// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// The argument checks that every module makes, once over every module: from a valid call of
// each, one argument at a time is made wrong in a way that no module may accept, and the
// module must raise the generic error of that argument's kind, naming its position. The
// checks of each module's own (table contents, groups, finiteness) stay in its family's tests.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/gateway/support/modules.hpp"
#include "tests/gateway/support/unchanged_inputs.hpp"
#include "tests/gateway/support/valid_calls.hpp"

namespace {

using mexhost::Array;
using validcalls::Kind;
using validcalls::ValidCall;

// The arguments of a call, owned, and the pointers that Module::call takes.
struct Arguments {
    std::vector<Array> arrays;

    explicit Arguments(const ValidCall& call) {
        for (const validcalls::Argument& argument : call.arguments)
            arrays.push_back(validcalls::arrayOf(argument));
    }
    std::vector<const Array*> inputs() const {
        std::vector<const Array*> pointers;
        for (const Array& array : arrays) pointers.push_back(&array);
        return pointers;
    }
};

// Arrays that no argument of the kind may be.
std::vector<Array> wrongFor(Kind kind) {
    std::vector<Array> wrong;
    switch (kind) {
        case Kind::data:
        case Kind::table:
            wrong.push_back(Array::numeric(mxSINGLE_CLASS, 3, 1));
            wrong.push_back(Array::numeric(mxINT32_CLASS, 3, 1));
            wrong.push_back(Array::complexMatrix(3, 1));
            wrong.push_back(Array::sparseMatrix(3, 1));
            wrong.push_back(Array::text("abc"));
            break;
        case Kind::size:
        case Kind::scalar:
            wrong.push_back(Array::matrix(1, 2, {1, 1}));
            wrong.push_back(Array::matrix(0, 0));
            wrong.push_back(Array::numeric(mxSINGLE_CLASS, 1, 1));
            wrong.push_back(Array::complexMatrix(1, 1));
            break;
        case Kind::text:
            wrong.push_back(Array::column({1}));
            wrong.push_back(Array::numeric(mxCHAR_CLASS, 2, 3));
            wrong.push_back(Array::text(std::string("a\0b", 3)));
            break;
    }
    return wrong;
}

const char* reasonFor(Kind kind) {
    switch (kind) {
        case Kind::data:
        case Kind::table: return "notRealDouble";
        case Kind::text: return "notString";
        default: return "notScalar";
    }
}

class ArgumentChecks : public modules::EachModule {
protected:
    const ValidCall& valid() const { return validcalls::of(GetParam()); }

    // The call raises "<module>:<reason>" and writes into none of its arguments.
    mexhost::HostError expectRejected(const Arguments& arguments, const char* reason,
                                      int nlhs = 1) const {
        return unchanged::expectError(module(), nlhs, arguments.inputs(), id(reason));
    }
};

// The table's call is valid, so that each error below comes from the one argument changed.
TEST_P(ArgumentChecks, TheValidCallSucceeds) {
    const Arguments arguments(valid());
    const mexhost::CallResult result = module().call(valid().outputs, arguments.inputs());
    EXPECT_EQ(result.outputs.size(), static_cast<std::size_t>(valid().outputs));
}

TEST_P(ArgumentChecks, CountsOfInputsAndOutputs) {
    Arguments arguments(valid());
    expectRejected(arguments, "outputCount", valid().outputs + 1);
    arguments.arrays.push_back(Array::scalar(1));
    expectRejected(arguments, "inputCount");
    arguments.arrays.pop_back();
    arguments.arrays.pop_back();
    expectRejected(arguments, "inputCount");
    arguments.arrays.clear();
    expectRejected(arguments, "inputCount");
}

// An argument of a wrong class, complexity, storage or shape is rejected, naming its position.
TEST_P(ArgumentChecks, EveryArgumentOfTheWrongKind) {
    for (std::size_t k = 0; k < valid().arguments.size(); ++k) {
        const Kind kind = valid().arguments[k].kind;
        for (Array& wrong : wrongFor(kind)) {
            Arguments arguments(valid());
            arguments.arrays[k] = std::move(wrong);
            const mexhost::HostError error = expectRejected(arguments, reasonFor(kind));
            EXPECT_NE(std::string(error.what()).find("(input " + std::to_string(k + 1) + ")"),
                      std::string::npos)
                << error.what();
        }
    }
}

// A size that is negative, NaN or beyond an int is rejected whatever the arrays hold, and the
// message shows the value in full.
TEST_P(ArgumentChecks, EverySizeOutOfRange) {
    for (std::size_t k = 0; k < valid().arguments.size(); ++k) {
        if (valid().arguments[k].kind != Kind::size) continue;
        for (double wrong : {-1.0, modules::kNan, -modules::kInf, 3e9}) {
            Arguments arguments(valid());
            arguments.arrays[k] = Array::scalar(wrong);
            expectRejected(arguments, "negativeSize");
        }
        Arguments arguments(valid());
        arguments.arrays[k] = Array::scalar(2147483648.0);
        EXPECT_NE(std::string(expectRejected(arguments, "negativeSize").what())
                      .find("below 2^31, got 2147483648"),
                  std::string::npos);
    }
}

INSTANTIATE_TEST_SUITE_P(EveryModule, ArgumentChecks, testing::ValuesIn(modules::all()),
                         modules::moduleName);

// A module added to the build gets its row in the table.
TEST(ArgumentChecksTable, ListsEveryBuiltModule) {
    std::vector<std::string> listed;
    for (const ValidCall& call : validcalls::all()) listed.push_back(call.module);
    std::vector<std::string> built = modules::all();
    std::sort(listed.begin(), listed.end());
    std::sort(built.begin(), built.end());
    EXPECT_EQ(listed, built);
}

}  // namespace
