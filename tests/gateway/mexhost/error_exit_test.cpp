// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// The embedded host's two ways out of a module's error (tests/mexhost/loader.hpp): whether
// the error throws or jumps back by longjmp, the test sees the same error, and the host
// serves the calls after it as before.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/gateway/support/modules.hpp"

namespace {

using mexhost::Array;
using mexhost::ErrorExit;

struct Seen {
    std::string identifier;
    std::string message;
    std::string printed;
};

// One error raised by an argument check, one by the routine after it printed and after the
// gateway made its output; then a call that succeeds.
std::vector<Seen> errorsThenAFit(ErrorExit exit) {
    mexhost::setErrorExit(exit);
    const mexhost::Module& module = modules::get("chainAscend");
    const Array v = Array::column({3, 1, 2}), n = Array::scalar(3);
    const Array empty = Array::matrix(0, 0), zero = Array::scalar(0);
    std::vector<Seen> seen;
    for (const mexhost::HostError& error :
         {modules::expectError(module, 1, {&v}, "chainAscend:inputCount"),
          modules::expectError(module, 1, {&empty, &zero}, "chainAscend:nonPositiveLength")})
        seen.push_back({error.identifier(), error.what(), error.printed()});
    const mexhost::CallResult fit = module.call(1, {&v, &n});
    // The pair 1, 2 out of order pools to its mean.
    EXPECT_EQ(fit.outputs.at(0).values(), (std::vector<double>{3, 1.5, 1.5}));
    EXPECT_EQ(fit.printed, "");
    return seen;
}

TEST(ErrorExit, LongjmpReportsTheErrorAsTheExceptionDoes) {
    const ErrorExit chosen = mexhost::errorExit();
    const std::vector<Seen> thrown = errorsThenAFit(ErrorExit::exception);
    const std::vector<Seen> jumped = errorsThenAFit(ErrorExit::longjmp);
    mexhost::setErrorExit(chosen);

    ASSERT_EQ(jumped.size(), thrown.size());
    for (std::size_t k = 0; k < thrown.size(); ++k) {
        EXPECT_EQ(jumped[k].identifier, thrown[k].identifier);
        EXPECT_EQ(jumped[k].message, thrown[k].message);
        EXPECT_EQ(jumped[k].printed, thrown[k].printed);
    }
    EXPECT_EQ(jumped[0].printed, "");
    EXPECT_EQ(jumped[1].printed, "\n n=0 should be an integer over 1!");
    EXPECT_NE(jumped[0].message.find("Usage: x = chainAscend(v, n)"), std::string::npos);
}

}  // namespace
