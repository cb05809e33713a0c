// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// The value checks that the modules make on their array arguments, for every host: scans
// that find the first offender in the order the modules look for it, and the failure each
// finding gives, with the text every host shows.
#pragma once

#include <cmath>
#include <cstdarg>
#include <cstdio>

#include "support/routine_failure.hpp"

namespace valuecheck {

// What finiteSumCheck finds when every value is finite but the sum of their magnitudes,
// taken in order, is not.
constexpr long long kSumOverflows = -2;

// The first of `count` values taken every `stride` elements that is NaN; -1 if none.
inline long long firstNaN(const double* data, long long count, long long stride) {
    for (long long k = 0; k < count; ++k)
        if (std::isnan(data[k * stride])) return k;
    return -1;
}

// The first such value that is not finite; -1 if none.
inline long long firstNonFinite(const double* data, long long count, long long stride) {
    for (long long k = 0; k < count; ++k)
        if (!std::isfinite(data[k * stride])) return k;
    return -1;
}

// The first value that is not finite; kSumOverflows when all are but the sum of their
// magnitudes, in order, overflows; -1 otherwise. A search over the values needs that sum.
inline long long finiteSumCheck(const double* data, long long count, long long stride) {
    double sum = 0;
    for (long long k = 0; k < count; ++k) {
        const double value = data[k * stride];
        if (!std::isfinite(value)) return k;
        sum += std::fabs(value);
    }
    return std::isfinite(sum) ? -1 : kSumOverflows;
}

// Where a check over several pieces (rows, groups) failed first: the piece, counted from 0,
// and what finiteSumCheck found inside it. piece is -1 when every piece passes.
struct PieceFinding {
    long long piece;
    long long found;
};

// The first of the m rows of the column-major m-by-n V that fails finiteSumCheck.
inline PieceFinding firstRowWithoutFiniteSum(const double* V, long long m, long long n) {
    for (long long i = 0; i < m && n > 0; ++i) {
        const long long found = finiteSumCheck(V + i, n, m);
        if (found != -1) return {i, found};
    }
    return {-1, -1};
}

// What a check found wrong: a reason of support/reasons.hpp and the message. A plain record
// without a destructor, which the MEX hosts may jump over when they raise it.
struct ValueFailure {
    const char* reason;
    char message[512];
};

// A failure with a printf-style message.
inline ValueFailure failureOf(const char* reason, const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 2, 3)))
#endif
    ;

inline ValueFailure failureOf(const char* reason, const char* format, ...) {
    ValueFailure failure{reason, {}};
    std::va_list arguments;
    va_start(arguments, format);
    std::vsnprintf(failure.message, sizeof failure.message, format, arguments);
    va_end(arguments);
    return failure;
}

// The failures of the scans above for the values called `name`: `found` is what the scan
// returned (not -1), counted from 0; elements are named from 1.
inline ValueFailure nanFailure(const char* name, long long found) {
    return failureOf(reason::notFinite, "%s must not hold NaN, but element %lld does", name,
                     found + 1);
}

inline ValueFailure nonFiniteFailure(const char* name, long long found, double value) {
    return failureOf(reason::notFinite, "%s must be finite, but element %lld is %g", name,
                     found + 1, value);
}

inline ValueFailure finiteSumFailure(const char* name, long long found, double value) {
    if (found != kSumOverflows) return nonFiniteFailure(name, found, value);
    return failureOf(reason::overflow,
                     "the sum of the magnitudes of %s overflows the double range", name);
}

// The same for what finiteSumCheck(data, count, stride) found, the offending value read there.
inline ValueFailure finiteSumFailureIn(const char* name, const double* data, long long stride,
                                       long long found) {
    return finiteSumFailure(name, found, found >= 0 ? data[found * stride] : 0);
}

// Fails the call (RoutineFailure) with the failure of finiteSumCheck on the values called
// `name`, if it finds one.
inline void requireFiniteSum(const double* data, long long count, long long stride,
                             const char* name) {
    const long long found = finiteSumCheck(data, count, stride);
    if (found == -1) return;
    const ValueFailure failure = finiteSumFailureIn(name, data, stride, found);
    throw RoutineFailure(failure.reason, failure.message);
}

}  // namespace valuecheck
