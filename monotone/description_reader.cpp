// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// Reading a tree description file into the child table.
//
// The table is filled in a local copy and handed over only when the whole file has been read,
// so a failure delivers no table. The file is closed on every path.
#include <cstdio>
#include <memory>
#include <string>

#include "host/interrupt.hpp"
#include "host/regular_file.hpp"
#include "monotone/building.hpp"
#include "monotone/description_scanner.hpp"

namespace {

struct FileClosing {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileClosing>;

using Outcome = DescriptionScanner::Outcome;

// The console's account of a file that cannot be read.
void printReadingFailure(const char* fileName) {
    consolePrintf("\n\n Fatal Error!!!");
    consolePrintf("\n\n Failure in reading the file:%s!", fileName);
    consolePrintf(
        "\n\n The program does not check the correctness of the tree provided in the file: %s!",
        fileName);
}

[[noreturn]] void failUnreadable(const char* fileName) {
    printReadingFailure(fileName);
    throw RoutineFailure(reason::unreadableFile,
                         std::string("cannot read the tree description file '") + fileName + "'");
}

// A FIFO or a device: reading it could wait forever.
[[noreturn]] void failNotRegular(const char* fileName) {
    printReadingFailure(fileName);
    throw RoutineFailure(reason::notRegularFile,
                         std::string("'") + fileName +
                             "' is not a regular file but a pipe or a device, which could keep "
                             "the call waiting; the tree description must be a file");
}

std::string at(const char* fileName, const DescriptionScanner& scanner) {
    return std::string(fileName) + ", line " + std::to_string(scanner.line()) + ": ";
}

// text: the number as the file wrote it (a number beyond the int range saturates).
void requireNodeNumber(int number, const std::string& text, int n, const char* fileName,
                       const DescriptionScanner& scanner) {
    if (number >= 1 && number <= n) return;
    consolePrintf("\n The node number should be between [1, %d]!", n);
    throw RoutineFailure(reason::nodeOutOfRange, at(fileName, scanner) + "the node number " + text +
                                                     " is outside 1.." + std::to_string(n));
}

// Reads the records into `table`. Returns normally at the end of the file.
void readRecords(DescriptionScanner& scanner, treeInfo& table, int n, const char* fileName) {
    InterruptPoll poll;
    for (;;) {
        poll.tick();
        int node = 0;
        int count = 0;
        Outcome outcome = scanner.next(node);
        const std::string nodeText = scanner.text();
        if (outcome == Outcome::number) outcome = scanner.next(count);
        if (outcome == Outcome::end) return;  // trailing white space or a lone number
        if (outcome == Outcome::unreadable) failUnreadable(fileName);
        if (outcome == Outcome::notNumber) {
            consolePrintf(
                "\n For each row, it should has at least two numbers: nodeNum and number of "
                "children");
            throw RoutineFailure(
                reason::incompleteRecord,
                at(fileName, scanner) + "a record needs a node number and a child count");
        }
        requireNodeNumber(node, nodeText, n, fileName, scanner);
        if (count <= 0) continue;

        // Children are appended as they are read, so a count that the file does not back
        // with numbers costs no memory.
        const std::size_t offset = table.children.size();
        for (int j = 0; j < count; ++j) {
            poll.tick();
            int child = 0;
            const Outcome read = scanner.next(child);
            if (read == Outcome::unreadable) failUnreadable(fileName);
            if (read != Outcome::number) {
                consolePrintf("\n This row should have %d children nodes!", count);
                throw RoutineFailure(reason::missingChildren,
                                     at(fileName, scanner) + "the record of node " +
                                         std::to_string(node) + " announces " +
                                         std::to_string(count) + " children, but " +
                                         std::to_string(j) + " child numbers follow");
            }
            requireNodeNumber(child, scanner.text(), n, fileName, scanner);
            table.children.push_back(child - 1);
        }
        // A later record of the same node replaces this one.
        table.nodes[node - 1] = NodeInfo{count, offset};
    }
}

}  // namespace

void readFromFile(const char* fileName, treeInfo& table, int n) {
    const utf8::OpenedFile opened = utf8::openRegularFile(fileName);
    File file(opened.file);
    if (opened.notRegular) failNotRegular(fileName);
    if (!file) failUnreadable(fileName);

    treeInfo read;
    reportingAllocationFailure("\n Allocation of treeInfo failure!", kTreeMemoryFailure, [&] {
        read.nodes.assign(static_cast<std::size_t>(n > 0 ? n : 0), NodeInfo{});
        auto scanner = std::make_unique<DescriptionScanner>(file.get());
        readRecords(*scanner, read, n, fileName);
    });
    table = std::move(read);
}
