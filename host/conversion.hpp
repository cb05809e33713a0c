// The host's conversion of an integer parameter, shared by the gateways and by the core
// routines that read integers stored as doubles (group boundary tables).
#pragma once

// Truncation toward zero; NaN and values outside the 32-bit range become -2147483648.
inline int truncateToInt(double value) {
    // Written as a range test first, so that the conversion below never overflows.
    if (!(value > -2147483649.0 && value < 2147483648.0)) return -2147483647 - 1;
    return static_cast<int>(value);
}
