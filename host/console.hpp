// Console output for the numerical core.
//
// The core prints its messages through consolePrintf and never includes a host header. Each
// build links one definition: modules print to the MATLAB or Octave command window, the unit
// tests capture the text so that they can check it.
#pragma once

#include <string>

#if defined(__GNUC__)
#define CONSOLE_PRINTF_FORMAT __attribute__((format(printf, 1, 2)))
#else
#define CONSOLE_PRINTF_FORMAT
#endif

void consolePrintf(const char* format, ...) CONSOLE_PRINTF_FORMAT;

// Where consolePrintf on this thread appends its text instead of printing it; nullptr (the
// default) prints. Threads other than the host's must never print (host/parallel.hpp).
inline std::string*& consoleHoldOfThisThread() {
    static thread_local std::string* held = nullptr;
    return held;
}

// While alive, consolePrintf on the thread that made it appends to `text` instead of printing.
class ConsoleHold {
public:
    explicit ConsoleHold(std::string& text) : previous_(consoleHoldOfThisThread()) {
        consoleHoldOfThisThread() = &text;
    }
    ~ConsoleHold() { consoleHoldOfThisThread() = previous_; }
    ConsoleHold(const ConsoleHold&) = delete;
    ConsoleHold& operator=(const ConsoleHold&) = delete;

private:
    std::string* previous_;
};
