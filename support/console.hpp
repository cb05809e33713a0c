// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// Console output for the numerical core.
//
// The core prints its messages through consolePrintf and never includes a host header. Each
// build links one definition: modules print to the MATLAB or Octave command window, the unit
// tests capture the text so that they can check it.
#pragma once

#include <string>
#include <vector>

#include "support/thread_marks.hpp"

#if defined(__GNUC__)
#define CONSOLE_PRINTF_FORMAT __attribute__((format(printf, 1, 2)))
#else
#define CONSOLE_PRINTF_FORMAT
#endif

void consolePrintf(const char* format, ...) CONSOLE_PRINTF_FORMAT;

// Where consolePrintf on this thread keeps the text of each call instead of printing it;
// nullptr (the default) prints. Threads other than the host's must never print
// (support/parallel.hpp), so their text is kept for the host's thread to print, call by call.
inline std::vector<std::string>* consoleHoldOfThisThread() {
    std::vector<std::string>* const* held =
        ThreadMark<std::vector<std::string>*>::ofThisThread();
    return held != nullptr ? *held : nullptr;
}

// While alive, consolePrintf on the thread that made it appends each call's text to `texts`
// instead of printing it. Holds nest: the newest of a thread keeps its text.
class ConsoleHold {
public:
    explicit ConsoleHold(std::vector<std::string>& texts) noexcept : mark_(&texts) {}

private:
    ThreadMark<std::vector<std::string>*> mark_;
};
