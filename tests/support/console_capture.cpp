#include "tests/support/console_capture.hpp"

#include <cstdarg>
#include <cstdio>

#include "host/console.hpp"

namespace {
std::string& captured() {
    static std::string text;
    return text;
}
}  // namespace

void consolePrintf(const char* format, ...) {
    std::va_list arguments;
    va_start(arguments, format);
    std::va_list copy;
    va_copy(copy, arguments);
    const int length = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    if (length > 0) {
        std::string text(static_cast<std::size_t>(length) + 1, '\0');
        std::vsnprintf(&text[0], text.size(), format, arguments);
        text.resize(static_cast<std::size_t>(length));
        captured() += text;
    }
    va_end(arguments);
}

std::string takeConsoleOutput() {
    std::string text;
    text.swap(captured());
    return text;
}
