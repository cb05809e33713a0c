// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// Reads the decimal integers of a tree description file, one at a time.
//
// A number is what the C library's "%d" conversion accepts: white space, an optional sign,
// then decimal digits. Unlike that conversion, a number outside the int range does not wrap
// around: it saturates to INT_MIN or INT_MAX, which every range check then rejects.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>

#include "support/interrupt.hpp"

class DescriptionScanner {
public:
    enum class Outcome {
        number,      // a number was read
        notNumber,   // the next characters are not a number
        end,         // the file ended before a number was complete (white space, a lone sign)
        unreadable,  // the file could not be read
    };

    explicit DescriptionScanner(std::FILE* file) : file_(file) {}

    Outcome next(int& value);

    // The line of the last number read or attempted, counted from 1; at the end of the file,
    // the line of the last number read.
    long line() const { return line_; }
    // The last number as the file wrote it (its first 40 characters), for messages about a
    // number that saturated.
    const std::string& text() const { return text_; }

    // Whether the last read started right after a number, with no white space between: what
    // it met then belongs to the word of that number ("2.5" reads as 2, then meets ".5").
    bool continuesWord() const { return continuesWord_; }
    // The word of the last read as the file wrote it, for a message about it: from the number
    // read (or, after a read that met no number, from the number whose word it continued, or
    // from the sign it took) to the next white space; the first 40 characters, then "...".
    // Reads the rest of the word, so reading cannot go on after it.
    std::string wholeWord();

private:
    // The next character without consuming it; EOF at the end of the file or on an error.
    int peek() {
        if (position_ < filled_) return static_cast<unsigned char>(buffer_[position_]);
        return refill();
    }
    int refill();

    std::FILE* file_;
    InterruptPoll poll_;  // by the bytes read: a long run of blanks is one call of next
    char buffer_[1 << 16];
    std::size_t position_ = 0;
    std::size_t filled_ = 0;
    bool readError_ = false;
    long line_ = 1;
    long numberLine_ = 1;
    std::string text_;
    // What the last read met: a number or not, whether it continued the word of the number
    // before it, and the sign it took (0 for none).
    bool readNumber_ = false;
    bool continuesWord_ = false;
    int sign_ = 0;
};
