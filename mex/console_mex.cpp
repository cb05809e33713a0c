// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// The core's console in a module: the host's command window.
#include "support/console.hpp"

#include "mex.h"

#include "support/format.hpp"

void consolePrintf(const char* format, ...) {
    std::va_list arguments;
    va_start(arguments, format);
    const std::string text = formatText(format, arguments);
    va_end(arguments);
    if (std::vector<std::string>* held = consoleHoldOfThisThread()) {
        held->push_back(text);
        return;
    }
    if (!text.empty()) mexPrintf("%s", text.c_str());
}
