// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// The two file-tree modules through the embedded host: the fit, what they print, and every
// rejection. Both modules share their checks, so each case runs against both.
#include <gtest/gtest.h>

#include <limits>

#include "tests/gateway/support/modules.hpp"
#include "tests/support/tree_files.hpp"

namespace {

using mexhost::Array;
using testdata::TempFile;

class FileTreeModule : public testing::TestWithParam<std::string> {
protected:
    const mexhost::Module& module() const { return modules::get(GetParam()); }
    std::string id(const char* reason) const { return GetParam() + ":" + reason; }
    bool nonnegative() const { return GetParam() == "isoHier"; }

    // The error raised on a file's text; returns what was printed before it.
    std::string rejectText(const std::string& text, int rootNumber, int n, const char* reason) {
        const TempFile file(text);
        const Array name = Array::text(file.path()),
                    v = Array::column(std::vector<double>(n, 1e308)),
                    root = Array::scalar(rootNumber), count = Array::scalar(n);
        return modules::expectError(module(), 1, {&name, &v, &root, &count}, id(reason)).printed();
    }
};

TEST_P(FileTreeModule, FitsOverTheTreeOfTheFile) {
    const TempFile file("1 2 2 3\n2 2 4 5\n");
    const Array name = Array::text(file.path()), v = Array::column({1, 3, 0, 2, -1}),
                root = Array::scalar(1), n = Array::scalar(5);
    const mexhost::CallResult result = module().call(1, {&name, &v, &root, &n});
    ASSERT_EQ(result.outputs.size(), 1u);
    EXPECT_EQ(result.outputs[0].rows(), 5u);
    EXPECT_EQ(result.outputs[0].cols(), 1u);
    EXPECT_EQ(result.outputs[0].values(),
              (std::vector<double>{2, 2, 0, 2, nonnegative() ? 0.0 : -1.0}));
    EXPECT_EQ(result.printed, "");
    EXPECT_EQ(module().call(0, {&name, &v, &root, &n}).outputs.size(), 1u);
}

TEST_P(FileTreeModule, ReadsTheFirstNValuesAndLeavesNodesOutsideTheTreeAtZero) {
    const TempFile file("2 1 3\n");
    const Array name = Array::text(file.path()),
                v = Array::matrix(2, 3, {7, 1, 5, 8, std::numeric_limits<double>::quiet_NaN(), 0});
    const Array before = v.copy();
    const Array root = Array::scalar(2.9), n = Array::scalar(4.5);
    const mexhost::CallResult result = module().call(1, {&name, &v, &root, &n});
    EXPECT_EQ(result.outputs[0].values(), (std::vector<double>{0, 3, 3, 0}));
    EXPECT_TRUE(v.sameAs(before));
}

TEST_P(FileTreeModule, FaultyFilesPrintTheirMessagesAndRaise) {
    const std::string missing = "/tmp/sparsemex_no_such_folder/t.txt";
    const Array name = Array::text(missing), v = Array::column({1, 2}), root = Array::scalar(1),
                n = Array::scalar(2);
    EXPECT_EQ(
        modules::expectError(module(), 1, {&name, &v, &root, &n}, id("unreadableFile")).printed(),
        "\n\n Fatal Error!!!\n\n Failure in reading the file:" + missing +
            "!\n\n The program does not check the correctness of the tree provided in "
            "the file: " +
            missing + "!");
    EXPECT_EQ(rejectText("1 x", 1, 2, "incompleteRecord"),
              "\n For each row, it should has at least two numbers: nodeNum and number of "
              "children");
    EXPECT_EQ(rejectText("1 1 3", 1, 2, "nodeOutOfRange"),
              "\n The node number should be between [1, 2]!");
    EXPECT_EQ(rejectText("1 2 2", 1, 2, "missingChildren"),
              "\n This row should have 2 children nodes!");
    EXPECT_EQ(rejectText("1 1 2", 3, 2, "rootOutOfRange"),
              "\n The node number of the root should be between [1, 2]!");
    EXPECT_EQ(rejectText("1 1 2\n2 1 1", 1, 2, "cyclicTree"), "");
    std::string doubling;
    for (int k = 1; k < 40; ++k)
        doubling +=
            std::to_string(k) + " 2 " + std::to_string(k + 1) + " " + std::to_string(k + 1) + "\n";
    EXPECT_EQ(rejectText(doubling, 1, 40, "treeTooLarge"), "");
}

TEST_P(FileTreeModule, RejectsBadArguments) {
    const TempFile file("1 1 2\n");
    const Array name = Array::text(file.path()), v = Array::column({1, 2}), root = Array::scalar(1),
                n = Array::scalar(2);
    const Array three = Array::scalar(3);
    modules::expectError(module(), 1, {&name, &v, &root, &three}, id("tooFewElements"));
    for (double bad :
         {std::numeric_limits<double>::quiet_NaN(), -std::numeric_limits<double>::infinity()}) {
        const Array withBad = Array::column({1, bad});
        modules::expectError(module(), 1, {&name, &withBad, &root, &n}, id("notFinite"));
    }
    const Array nanRoot = Array::scalar(std::numeric_limits<double>::quiet_NaN());
    modules::expectError(module(), 1, {&name, &v, &nanRoot, &n}, id("rootOutOfRange"));
}

TEST_P(FileTreeModule, MessagesNameTheLineAndTheNumbersAsWritten) {
    // The error text, on a file's text and a root as the caller gives it.
    const auto message = [&](const std::string& text, double rootNumber, const char* reason) {
        const TempFile file(text);
        const Array name = Array::text(file.path()), v = Array::column({1, 2, 3}),
                    root = Array::scalar(rootNumber), n = Array::scalar(3);
        return std::string(modules::expectError(module(), 1, {&name, &v, &root, &n}, id(reason)).what());
    };
    // A one-line file ends on its first line, line breaks after it or not.
    for (const char* oneLine : {"1 3 2 3\n\n", "1 3 2 3"})
        EXPECT_NE(message(oneLine, 1, "missingChildren").find(", line 1: "), std::string::npos);
    EXPECT_NE(message("1 1 2\n2 1 5\n", 1, "nodeOutOfRange").find(", line 2: "), std::string::npos);
    // A number past the int range is named as written, not as it saturated.
    EXPECT_NE(message("1 1 100000000000000000000000\n", 1, "nodeOutOfRange")
                  .find("node number 100000000000000000000000 of child 1 of node 1 is outside "
                        "1..3"),
              std::string::npos);
    EXPECT_NE(message("-99999999999 1 2\n", 1, "nodeOutOfRange").find("number -99999999999 is"),
              std::string::npos);
    EXPECT_NE(message("1 1 2\n", std::numeric_limits<double>::quiet_NaN(), "rootOutOfRange")
                  .find("root node number NaN is outside 1..3"),
              std::string::npos);
    EXPECT_NE(message("1 1 2\n", 1e10, "rootOutOfRange").find("number 10000000000 is"),
              std::string::npos);
}

TEST_P(FileTreeModule, ValuesTooLargeToPoolRaiseOverflow) {
    const TempFile file("1 1 2\n");
    const Array name = Array::text(file.path()), v = Array::column({1e308, 1.5e308}),
                root = Array::scalar(1), n = Array::scalar(2);
    modules::expectError(module(), 1, {&name, &v, &root, &n}, id("overflow"));
}

INSTANTIATE_TEST_SUITE_P(Modules, FileTreeModule,
                         testing::Values("isoHier", "isoHier_without_nonnegative"),
                         [](const testing::TestParamInfo<std::string>& info) {
                             return info.param;
                         });

}  // namespace
