// The core's console in a module: the host's command window.
#include "host/console.hpp"

#include "mex.h"

#include <cstdarg>
#include <cstdio>
#include <vector>

void consolePrintf(const char* format, ...) {
    std::va_list arguments;
    va_start(arguments, format);
    std::va_list copy;
    va_copy(copy, arguments);
    const int length = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    if (length > 0) {
        std::vector<char> text(static_cast<std::size_t>(length) + 1);
        std::vsnprintf(text.data(), text.size(), format, arguments);
        mexPrintf("%s", text.data());
    }
    va_end(arguments);
}
