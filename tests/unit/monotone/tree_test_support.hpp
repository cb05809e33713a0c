// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// What the ordered-tree unit tests share: catching a routine's failure with what it printed,
// fitting over a child table through a description file, looking into built trees.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "support/routine_failure.hpp"
#include "monotone/monotone.hpp"
#include "tests/support/console_capture.hpp"
#include "tests/support/literal_tree_fit.hpp"
#include "tests/support/tree_files.hpp"
#include "tests/support/tree_shapes.hpp"

#if defined(_WIN32)
#include <fcntl.h>
#include <io.h>
#else
#include <dirent.h>
#endif

namespace treetest {

struct Failure {
    std::string reason;
    std::string message;
    std::string printed;
};

// Runs the step, which must fail; returns its reason, message and console text.
template <class Step>
Failure failureOf(Step&& step) {
    takeConsoleOutput();
    try {
        step();
    } catch (const RoutineFailure& failure) {
        return Failure{failure.reason(), failure.what(), takeConsoleOutput()};
    }
    ADD_FAILURE() << "expected the routine to fail";
    return Failure{};
}

// The fit over the tree of `children` below `root`, read from a description file. Entries
// outside the tree keep the value `untouched`.
inline std::vector<double> fitFromFile(const testdata::Children& children,
                                       const std::vector<double>& v, int root, bool nonnegative,
                                       double untouched = 0) {
    const testdata::TempFile file(testdata::descriptionText(children));
    std::vector<double> x(v.size(), untouched);
    const int n = static_cast<int>(v.size());
    if (nonnegative)
        isoHier(x.data(), file.path(), v.data(), root + 1, n);
    else
        isoHier_without_nonnegative(x.data(), file.path(), v.data(), root + 1, n);
    return x;
}

// The nodes of a block's children, in list order.
inline std::vector<int> childNodes(const TreeBlock* block) {
    std::vector<int> nodes;
    for (const TreeBlock* child = block->firstChild(); child != nullptr;
         child = child->nextSibling())
        nodes.push_back(child->node);
    return nodes;
}

// Whether the child list's previous links mirror its next links: each child's leads to the
// one before it, the first child's to the last one (none when it is alone).
inline bool linkedBothWays(const TreeBlock* block) {
    const TreeBlock* first = block->firstChild();
    if (first == nullptr) return true;
    const TreeBlock* previous = first;
    for (const TreeBlock* child = first->nextSibling(); child != nullptr;
         child = child->nextSibling()) {
        if (child->previousInRing() != previous) return false;
        previous = child;
    }
    const TreeBlock* ringEnd = previous == first ? nullptr : previous;
    return first->previousInRing() == ringEnd && block->lastChild() == previous;
}

// The nodes of a block's node list, in order: its own, then, read backwards from the last
// one, those of the blocks merged into it.
inline std::vector<int> blockNodes(const TreeBlock* block) {
    std::vector<int> nodes{block->node};
    for (const TreeBlock* listing = block->earlierListing(); listing != block;
         listing = listing->earlierListing())
        nodes.insert(nodes.begin() + 1, listing->node);
    return nodes;
}

// The blocks of a tree in preorder, as the plain recursive form describes its own.
inline std::vector<reference::BlockView> describe(const TreeBlock* root) {
    std::vector<reference::BlockView> blocks;
    std::vector<const TreeBlock*> stack{root};
    while (!stack.empty()) {
        const TreeBlock* block = stack.back();
        stack.pop_back();
        const std::vector<int> children = childNodes(block);
        blocks.push_back(
            {block->m, block->num, blockNodes(block), static_cast<int>(children.size())});
        std::vector<const TreeBlock*> reversed;
        for (const TreeBlock* child = block->firstChild(); child != nullptr;
             child = child->nextSibling())
            reversed.insert(reversed.begin(), child);
        stack.insert(stack.end(), reversed.begin(), reversed.end());
    }
    return blocks;
}

// Open file descriptors of this process, to see that a routine closed what it opened. Windows
// cannot list them: there the lowest free descriptor stands in, which a file left open moves.
inline int openFileCount() {
#if defined(_WIN32)
    const int probe = _open("NUL", _O_RDONLY);
    if (probe >= 0) _close(probe);
    return probe;
#else
    int count = 0;
#if defined(__APPLE__)
    const char* descriptors = "/dev/fd";
#else
    const char* descriptors = "/proc/self/fd";
#endif
    if (DIR* folder = opendir(descriptors)) {
        while (readdir(folder) != nullptr) ++count;
        closedir(folder);
    }
    return count;
#endif
}

inline bool sameBits(const std::vector<double>& a, const std::vector<double>& b) {
    return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof(double)) == 0;
}

}  // namespace treetest
