// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// printf-style formatting into a string, for the consoles and the embedded host.
#pragma once

#include <cstdarg>
#include <cstdio>
#include <string>

inline std::string formatText(const char* format, std::va_list arguments) {
    std::va_list copy;
    va_copy(copy, arguments);
    const int length = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    if (length <= 0) return std::string();
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    std::vsnprintf(&text[0], text.size(), format, arguments);
    text.resize(static_cast<std::size_t>(length));
    return text;
}
