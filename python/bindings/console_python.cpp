// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// The core's console in the Python package. Every routine runs inside a ConsoleHold
// (routine_call.hpp), so its text is handed to Python after the call: as warnings, as
// progress lines when asked for, or not at all when the call fails. Text printed outside a
// call has nowhere to go and is dropped: the package never writes to the process's stdout.
#include "support/console.hpp"

#include "support/format.hpp"

void consolePrintf(const char* format, ...) {
    std::vector<std::string>* held = consoleHoldOfThisThread();
    if (held == nullptr) return;
    std::va_list arguments;
    va_start(arguments, format);
    held->push_back(formatText(format, arguments));
    va_end(arguments);
}
