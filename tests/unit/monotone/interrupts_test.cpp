// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// What keeps an ordered-tree fit from answering Ctrl-C: a description file that never ends
// (a FIFO without a writer, a terminal), a long run of blanks read in one step, and the
// single steps of a fit that handle most of the tree at once (a star's root heaps and merges
// all other nodes; the read-out writes one block of them all).
#include <string>
#include <vector>

#include "tests/support/interrupt_hook.hpp"
#include "tests/unit/monotone/tree_test_support.hpp"

#if !defined(_WIN32)
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

using testdata::TempFile;
using treetest::failureOf;

#if !defined(_WIN32)
TEST(DescriptionFile, AFifoOrADeviceIsRefusedWithoutWaiting) {
    const std::string fifo =
        testing::TempDir() + "sparsemex_fifo_" + std::to_string(::getpid());
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    treeInfo table;
    // Opened for reading as a file is, a FIFO without a writer would keep this test waiting.
    treetest::Failure failure = failureOf([&] { readFromFile(fifo.c_str(), table, 3); });
    ::unlink(fifo.c_str());
    EXPECT_EQ(failure.reason, "notRegularFile");
    EXPECT_NE(failure.message.find(fifo), std::string::npos);
    EXPECT_NE(failure.printed.find("Failure in reading the file:" + fifo), std::string::npos);

    failure = failureOf([&] { readFromFile("/dev/null", table, 3); });
    EXPECT_EQ(failure.reason, "notRegularFile");
}
#endif

TEST(DescriptionFile, ALongRunOfBlanksAnswersAnInterrupt) {
    // A file of blanks is read as one step that finds no number.
    const TempFile file(std::string(1 << 20, ' '));
    treeInfo table;
    EXPECT_EQ(reasonUnderInterrupt([&] { readFromFile(file.path(), table, 3); }), "interrupted");
    EXPECT_NO_THROW(readFromFile(file.path(), table, 3));
}

const int kNodes = 200000;

// A root below equal children: the star's root pools with all of them, one at a time, and
// every parent of the binary tree pools with its children.
std::vector<double> rootBelowTheRest() {
    std::vector<double> v(kNodes, 1.0);
    v[0] = 0;
    return v;
}

TEST(ShapeFits, AnswerAnInterrupt) {
    const std::vector<double> v = rootBelowTheRest();
    std::vector<double> x(kNodes);
    EXPECT_EQ(reasonUnderInterrupt([&] { isoHierBinary(x.data(), v.data(), kNodes); }),
              "interrupted");
    EXPECT_EQ(reasonUnderInterrupt([&] { isoHierDepth1(x.data(), v.data(), kNodes); }),
              "interrupted");
}

TEST(Pooling, PoolingAStarAndReadingItOutAnswerAnInterrupt) {
    const std::vector<double> v = rootBelowTheRest();
    BlockTree root;
    initializeRootDepth1(root, v.data(), kNodes);
    EXPECT_EQ(reasonUnderInterrupt([&] { computeMaximalMean(root.get()); }), "interrupted");

    initializeRootDepth1(root, v.data(), kNodes);
    computeMaximalMean(root.get());
    ASSERT_EQ(root->num, kNodes);  // one block: the read-out writes it in one step
    std::vector<double> x(kNodes);
    EXPECT_EQ(reasonUnderInterrupt([&] { computeSolution(x.data(), root.get()); }),
              "interrupted");
}

}  // namespace
