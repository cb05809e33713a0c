// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// The conversion of a double to a 32-bit int used for integer parameters and for the entries
// of boundary and node tables, in the gateways and in the core alike.
#pragma once

// Truncation toward zero; NaN and values outside the 32-bit range become -2147483648, as the
// hosts convert them, without the undefined behaviour of a plain cast.
inline int truncateToInt(double value) {
    // Written as a range test first, so that the conversion below never overflows.
    if (!(value > -2147483649.0 && value < 2147483648.0)) return -2147483647 - 1;
    return static_cast<int>(value);
}
