// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// The description file reader: layouts, records that change nothing or replace, and every
// failure with its console messages, its reason and no table delivered.
#include "tests/unit/monotone/tree_test_support.hpp"

namespace {

using testdata::TempFile;
using treetest::failureOf;

// The table as lists of 0-based children, for comparison.
testdata::Children listsOf(const treeInfo& table) {
    testdata::Children lists;
    for (std::size_t k = 0; k < table.nodes.size(); ++k) {
        const int* children = table.childrenOf(static_cast<int>(k));
        lists.emplace_back(children, children + table.nodes[k].childCount);
    }
    return lists;
}

testdata::Children read(const std::string& text, int n) {
    const TempFile file(text);
    treeInfo table;
    readFromFile(file.path(), table, n);
    return listsOf(table);
}

TEST(DescriptionReader, LinesCarryNoMeaning) {
    const testdata::Children expected = {{1, 2}, {3, 4}, {}, {}, {}};
    EXPECT_EQ(read("1 2 2 3\n2 2 4 5\n", 5), expected);
    EXPECT_EQ(read("1 2\n2\n3\t2 2 4\r\n5", 5), expected);
    EXPECT_EQ(read("  2 2 4 5 1 2 2 3  \n\n", 5), expected);
    EXPECT_EQ(read("+1 2 02 3 2 2 4 5", 5), expected);
}

TEST(DescriptionReader, BlankFileGivesLeaves) {
    const testdata::Children leaves(3);
    EXPECT_EQ(read("", 3), leaves);
    EXPECT_EQ(read(" \n\t\r\n  ", 3), leaves);
    EXPECT_EQ(read("", 0), testdata::Children{});
}

TEST(DescriptionReader, NonPositiveCountChangesNothingAndALaterRecordReplaces) {
    EXPECT_EQ(read("3 0\n3 -2\n", 3), testdata::Children(3));
    EXPECT_EQ(read("3 2 1 2\n3 0\n3 -2\n", 3), (testdata::Children{{}, {}, {0, 1}}));
    EXPECT_EQ(read("1 2 2 3\n1 1 3\n", 3), (testdata::Children{{2}, {}, {}}));
    // Listing a child twice, or under two parents, is accepted.
    EXPECT_EQ(read("1 2 3 3\n2 1 3\n", 3), (testdata::Children{{2, 2}, {2}, {}}));
}

TEST(DescriptionReader, IncompleteLastRecordEndsReadingNormally) {
    const testdata::Children expected = {{1}, {}, {}};
    EXPECT_EQ(read("1 1 2\n3", 3), expected);
    EXPECT_EQ(read("1 1 2\n3\n\n", 3), expected);
    EXPECT_EQ(read("1 1 2 -", 3), expected);
    EXPECT_EQ(read("1 1 2 3 +", 3), expected);
}

TEST(DescriptionReader, MissingFileOrFolderIsUnreadable) {
    const std::string missing = "/tmp/sparsemex_no_such_folder/tree.txt";
    treeInfo table;
    treetest::Failure failure = failureOf([&] { readFromFile(missing.c_str(), table, 3); });
    EXPECT_EQ(failure.reason, "unreadableFile");
    EXPECT_EQ(failure.printed,
              "\n\n Fatal Error!!!\n\n Failure in reading the file:" + missing +
                  "!\n\n The program does not check the correctness of the tree provided in "
                  "the file: " +
                  missing + "!");
    EXPECT_NE(failure.message.find(missing), std::string::npos);

    failure = failureOf([&] { readFromFile("/tmp", table, 3); });
    EXPECT_EQ(failure.reason, "unreadableFile");
}

struct BadFile {
    const char* text;
    int n;
    const char* reason;
    const char* printed;
    const char* inMessage;  // where the error message points to
};

// What the reader prints for a record without two numbers, and for a node outside 1..3.
const char kTwoNumbers[] =
    "\n For each row, it should has at least two numbers: nodeNum and number of children";
const char kOneToThree[] = "\n The node number should be between [1, 3]!";

TEST(DescriptionReader, EveryFaultHasItsMessage) {
    const BadFile cases[] = {
        {"x", 3, "incompleteRecord", kTwoNumbers, "line 1"},
        {"1 1 2\n2 x 3\n", 3, "incompleteRecord", kTwoNumbers, "line 2"},
        {"1 1 2\n\n-x 1\n", 3, "incompleteRecord", kTwoNumbers, "line 3"},
        {"4 1 2", 3, "nodeOutOfRange", kOneToThree, "node number 4 is outside 1..3"},
        {"0 0", 3, "nodeOutOfRange", kOneToThree, "node number 0"},
        {"1 1 0", 3, "nodeOutOfRange", kOneToThree, "node number 0"},
        {"1 2 2 -3", 3, "nodeOutOfRange", kOneToThree, "node number -3"},
        {"1 0", 0, "nodeOutOfRange", "\n The node number should be between [1, 0]!", "1..0"},
        // Numbers beyond the int range do not wrap around into 1..n, and are named as written.
        {"4294967297 1 2", 3, "nodeOutOfRange", kOneToThree, "node number 4294967297"},
        {"1 1 -4294967295", 3, "nodeOutOfRange", kOneToThree, "node number -4294967295"},
        {"1 3 2 3", 3, "missingChildren", "\n This row should have 3 children nodes!",
         "announces 3 children, but 2 child numbers follow"},
        {"1 3 2 x 3", 3, "missingChildren", "\n This row should have 3 children nodes!",
         "child 2 of node 1 is written 'x', which is not a whole number"},
        {"1 99999999999 2\n", 3, "missingChildren",
         "\n This row should have 2147483647 children nodes!", "announces 99999999999 children"},
        // A word that starts with digits is read as those digits, as a "%d" conversion reads
        // it; the message quotes the whole word and names the place where it began.
        {"1 1 0x2", 3, "nodeOutOfRange", kOneToThree,
         "line 1: the node number '0x2' (read as 0) of child 1 of node 1 is outside 1..3"},
        {"3 1e20", 5, "missingChildren", "\n This row should have 1 children nodes!",
         "the child count of node 3 is written '1e20', which is not a whole number"},
        {"2.5", 3, "incompleteRecord", kTwoNumbers,
         "the node number of a record is written '2.5', which is not a whole number"},
        {"1 1 2\n3 0.5 1", 3, "incompleteRecord", kTwoNumbers,
         "line 2: the child count of node 3 is written '0.5'"},
        {"1 1 2.5", 3, "incompleteRecord", kTwoNumbers, "child 1 of node 1 is written '2.5'"},
        {"1 +x", 3, "incompleteRecord", kTwoNumbers, "the child count of node 1 is written '+x'"},
        {"2147483648 0", 3, "nodeOutOfRange", kOneToThree, "node number 2147483648 is outside"},
        {"1 2147483648 2", 3, "missingChildren",
         "\n This row should have 2147483647 children nodes!", "announces 2147483648 children"},
    };
    for (const BadFile& bad : cases) {
        const TempFile file(bad.text);
        treeInfo table;
        table.nodes.resize(7);  // a failure must leave what was there
        const int before = treetest::openFileCount();
        const treetest::Failure failure =
            failureOf([&] { readFromFile(file.path(), table, bad.n); });
        EXPECT_EQ(failure.reason, bad.reason) << bad.text;
        EXPECT_EQ(failure.printed, bad.printed) << bad.text;
        EXPECT_NE(failure.message.find(bad.inMessage), std::string::npos)
            << bad.text << ": " << failure.message;
        EXPECT_EQ(table.nodes.size(), 7u) << bad.text;
        EXPECT_EQ(treetest::openFileCount(), before) << bad.text;
    }
}

// A long word that is not a number is quoted up to 40 characters.
TEST(DescriptionReader, LongWordsAreCut) {
    const TempFile file("1 1 2x" + std::string(50, '7'));
    treeInfo table;
    const std::string message = failureOf([&] { readFromFile(file.path(), table, 3); }).message;
    EXPECT_NE(message.find("'2x" + std::string(38, '7') + "...'"), std::string::npos) << message;
}

}  // namespace
