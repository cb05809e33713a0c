// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
#include "monotone/description_scanner.hpp"

#include <climits>

namespace {

bool isSpace(int c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool isDigit(int c) { return c >= '0' && c <= '9'; }

}  // namespace

int DescriptionScanner::refill() {
    if (readError_) return EOF;
    poll_.tick(static_cast<long long>(filled_));
    filled_ = std::fread(buffer_, 1, sizeof buffer_, file_);
    position_ = 0;
    if (filled_ == 0) {
        readError_ = std::ferror(file_) != 0;
        return EOF;
    }
    return static_cast<unsigned char>(buffer_[0]);
}

DescriptionScanner::Outcome DescriptionScanner::next(int& value) {
    int c = peek();
    continuesWord_ = readNumber_ && !isSpace(c);
    readNumber_ = false;
    sign_ = 0;
    while (isSpace(c)) {
        if (c == '\n') ++line_;
        ++position_;
        c = peek();
    }
    bool negative = false;
    if (c == '+' || c == '-') {
        negative = c == '-';
        sign_ = c;
        ++position_;
        c = peek();
    }
    if (readError_) return Outcome::unreadable;
    if (c == EOF) {
        line_ = numberLine_;  // line breaks after the last number start no line of their own
        return Outcome::end;
    }
    if (!isDigit(c)) return Outcome::notNumber;
    numberLine_ = line_;
    text_.assign(sign_ != 0 ? 1 : 0, static_cast<char>(sign_));

    // The magnitude stops growing once it is past the int range, so it cannot overflow.
    long long magnitude = 0;
    const long long limit = static_cast<long long>(INT_MAX) + 1;
    while (isDigit(c)) {
        if (magnitude < limit) magnitude = magnitude * 10 + (c - '0');
        if (text_.size() < 40) text_.push_back(static_cast<char>(c));
        ++position_;
        c = peek();
    }
    if (readError_) return Outcome::unreadable;
    readNumber_ = true;
    if (negative)
        value = magnitude >= limit ? INT_MIN : static_cast<int>(-magnitude);
    else
        value = magnitude > INT_MAX ? INT_MAX : static_cast<int>(magnitude);
    return Outcome::number;
}

std::string DescriptionScanner::wholeWord() {
    std::string word = readNumber_ || continuesWord_ ? text_ : std::string();
    if (!readNumber_ && sign_ != 0) word.push_back(static_cast<char>(sign_));
    bool cut = false;
    for (int c = peek(); c != EOF && !isSpace(c); c = peek()) {
        if (word.size() < 40)
            word.push_back(static_cast<char>(c));
        else
            cut = true;
        ++position_;
    }
    return cut ? word + "..." : word;
}
