#include "tests/support/console_capture.hpp"

#include "host/console.hpp"
#include "host/format.hpp"

namespace {
std::string& captured() {
    static std::string text;
    return text;
}
}  // namespace

void consolePrintf(const char* format, ...) {
    std::va_list arguments;
    va_start(arguments, format);
    std::string* held = consoleHoldOfThisThread();
    *(held ? held : &captured()) += formatText(format, arguments);
    va_end(arguments);
}

std::string takeConsoleOutput() {
    std::string text;
    text.swap(captured());
    return text;
}
