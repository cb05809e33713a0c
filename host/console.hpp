// Console output for the numerical core.
//
// The core prints its messages through consolePrintf and never includes a host header. Each
// build links one definition: modules print to the MATLAB or Octave command window, the unit
// tests capture the text so that they can check it.
#pragma once

#if defined(__GNUC__)
#define CONSOLE_PRINTF_FORMAT __attribute__((format(printf, 1, 2)))
#else
#define CONSOLE_PRINTF_FORMAT
#endif

void consolePrintf(const char* format, ...) CONSOLE_PRINTF_FORMAT;
