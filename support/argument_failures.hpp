// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// The failures of the argument checks that every module makes (the kind of an argument, its
// size, a size parameter, a text), with the text every host shows. Each host tests its own
// kind of argument; the words come from here. `position` counts the inputs from 0 and is
// shown counted from 1.
#pragma once

#include <cmath>

#include "support/reasons.hpp"
#include "support/truncate.hpp"
#include "support/value_checks.hpp"

namespace argcheck {

using valuecheck::failureOf;
using valuecheck::ValueFailure;

inline ValueFailure notRealDoubleFailure(const char* name, int position) {
    return failureOf(reason::notRealDouble, "%s (input %d) must be a real full double array",
                     name, position + 1);
}

inline ValueFailure tooFewElementsFailure(const char* name, int position, long long have,
                                          long long needed) {
    return failureOf(reason::tooFewElements,
                     "%s (input %d) has %lld elements, fewer than the %lld needed", name,
                     position + 1, have, needed);
}

inline ValueFailure notScalarFailure(const char* name, int position) {
    return failureOf(reason::notScalar, "%s (input %d) must be a real double scalar", name,
                     position + 1);
}

// Whether a size parameter (a length, a count) is refused: its conversion is negative, which
// NaN, the infinities and values from 2^31 on are too.
inline bool sizeRefused(double value) { return truncateToInt(value) < 0; }

inline ValueFailure negativeSizeFailure(const char* name, int position, double value) {
    // Said in words, since C libraries print NaN and infinities each their own way.
    if (std::isnan(value) || std::isinf(value))
        return failureOf(reason::negativeSize,
                         "%s (input %d) must be a nonnegative integer below 2^31, but it is %s",
                         name, position + 1,
                         std::isnan(value) ? "NaN" : value > 0 ? "Inf" : "-Inf");
    return failureOf(reason::negativeSize,
                     "%s (input %d) must be a nonnegative integer below 2^31, got %.17g", name,
                     position + 1, value);
}

inline ValueFailure notStringFailure(const char* name, int position) {
    return failureOf(reason::notString, "%s (input %d) must be a character row vector", name,
                     position + 1);
}

inline ValueFailure nulInStringFailure(const char* name, int position) {
    return failureOf(reason::notString, "%s (input %d) must not contain NUL characters", name,
                     position + 1);
}

inline ValueFailure unreadableStringFailure(const char* name, int position) {
    return failureOf(reason::notString, "%s (input %d) could not be read as text", name,
                     position + 1);
}

}  // namespace argcheck
