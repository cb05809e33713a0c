// Interrupts in a MATLAB module: MATLAB documents no way for compiled code to see a pending
// Ctrl-C, so a long call runs to its end.
#include "host/interrupt.hpp"

bool interruptRequested() { return false; }
