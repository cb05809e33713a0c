// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// Reading a tree description file into the child table.
//
// The table is filled in a local copy and handed over only when the whole file has been read,
// so a failure delivers no table. The file is closed on every path.
#include <cstdio>
#include <memory>
#include <string>

#include "support/interrupt.hpp"
#include "support/regular_file.hpp"
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

// quoted: the number as the file wrote it, and its place when that says more.
[[noreturn]] void failNodeNumber(const std::string& quoted, int n, const char* fileName,
                                 const DescriptionScanner& scanner) {
    consolePrintf("\n The node number should be between [1, %d]!", n);
    throw RoutineFailure(reason::nodeOutOfRange, at(fileName, scanner) + "the node number " +
                                                     quoted + " is outside 1.." +
                                                     std::to_string(n));
}

// The number just read as the file wrote it: "7", or "'0x2' (read as 0)" when only the digits
// that start its word were taken. Reads the rest of the word: for messages only.
std::string asWritten(DescriptionScanner& scanner) {
    const std::string word = scanner.wholeWord();
    return word == scanner.text() ? word : "'" + word + "' (read as " + scanner.text() + ")";
}

// Where a number stands in the records, for messages: a record's node number, its child
// count, or its child j (counted from 0).
struct Place {
    enum Kind { nodeNumber, childCount, child } kind;
    int node;
    int j;
};

std::string describe(const Place& place) {
    const std::string node = std::to_string(place.node);
    switch (place.kind) {
        case Place::nodeNumber:
            return "the node number of a record";
        case Place::childCount:
            return "the child count of node " + node;
        default:
            return "child " + std::to_string(place.j + 1) + " of node " + node;
    }
}

// The message for a read that met no number at `place`. A word that began with the number
// before ("2.5": 2 was read, then ".5" met) is named at that number's place, `last`.
std::string notANumber(DescriptionScanner& scanner, const char* fileName, const Place& place,
                       const Place& last) {
    const std::string named = describe(scanner.continuesWord() ? last : place);
    return at(fileName, scanner) + named + " is written '" + scanner.wholeWord() +
           "', which is not a whole number";
}

// Reads the records into `table`. Returns normally at the end of the file.
void readRecords(DescriptionScanner& scanner, treeInfo& table, int n, const char* fileName) {
    InterruptPoll poll;
    Place last{Place::nodeNumber, 0, 0};  // the place of the last number read
    for (;;) {
        poll.tick();
        int node = 0;
        int count = 0;
        Place place{Place::nodeNumber, 0, 0};
        Outcome outcome = scanner.next(node);
        const std::string nodeText = scanner.text();
        if (outcome == Outcome::number) {
            last = place;
            place = Place{Place::childCount, node, 0};
            outcome = scanner.next(count);
        }
        if (outcome == Outcome::end) return;  // trailing white space or a lone number
        if (outcome == Outcome::unreadable) failUnreadable(fileName);
        if (outcome == Outcome::notNumber) {
            consolePrintf(
                "\n For each row, it should has at least two numbers: nodeNum and number of "
                "children");
            throw RoutineFailure(reason::incompleteRecord,
                                 notANumber(scanner, fileName, place, last));
        }
        if (node < 1 || node > n) failNodeNumber(nodeText, n, fileName, scanner);
        last = place;
        if (count <= 0) continue;

        // Children are appended as they are read, so a count that the file does not back
        // with numbers costs no memory.
        const std::string countText = scanner.text();
        const std::size_t offset = table.children.size();
        for (int j = 0; j < count; ++j) {
            poll.tick();
            int child = 0;
            const Place childPlace{Place::child, node, j};
            const Outcome read = scanner.next(child);
            if (read == Outcome::unreadable) failUnreadable(fileName);
            if (read != Outcome::number) {
                consolePrintf("\n This row should have %d children nodes!", count);
                if (read == Outcome::notNumber)
                    throw RoutineFailure(reason::missingChildren,
                                         notANumber(scanner, fileName, childPlace, last));
                throw RoutineFailure(reason::missingChildren,
                                     at(fileName, scanner) + "the record of node " +
                                         std::to_string(node) + " announces " + countText +
                                         " children, but " + std::to_string(j) +
                                         " child numbers follow");
            }
            if (child < 1 || child > n)
                failNodeNumber(asWritten(scanner) + " of " + describe(childPlace), n, fileName,
                               scanner);
            last = childPlace;
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
