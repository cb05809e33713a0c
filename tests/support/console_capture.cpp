// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
#include "tests/support/console_capture.hpp"

#include <utility>

#include "support/console.hpp"
#include "support/format.hpp"

namespace {
std::string& captured() {
    static std::string text;
    return text;
}
}  // namespace

void consolePrintf(const char* format, ...) {
    std::va_list arguments;
    va_start(arguments, format);
    std::string text = formatText(format, arguments);
    if (std::vector<std::string>* held = consoleHoldOfThisThread())
        held->push_back(std::move(text));
    else
        captured() += text;
    va_end(arguments);
}

std::string takeConsoleOutput() {
    std::string text;
    text.swap(captured());
    return text;
}
