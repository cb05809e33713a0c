// Input checks that the family's gateways share, on top of host/gateway.hpp.
#pragma once

#include <cmath>
#include <cstddef>
#include <cstdio>

#include "host/gateway.hpp"
#include "projection/messages.hpp"

namespace projectionInputs {

// p = 1 and p = 2 have closed forms; every other exponent searches (the L1-ball projection or
// the bisection), and a search needs finite data.
inline bool shadowSearches(double p) { return p != 1 && p != 2; }

// A weight or radius may be infinite but not NaN: a NaN would pass every comparison of the
// searches and end them at their step limits with a meaningless result.
inline void requireNumber(const gateway::Call& call, double value, const char* name) {
    if (std::isnan(value)) call.fail(gateway::reason::notFinite, "%s must not be NaN", name);
}

inline void requireNumbers(const gateway::Call& call, const double* values, std::ptrdiff_t count,
                           const char* name) {
    for (std::ptrdiff_t k = 0; k < count; ++k)
        if (std::isnan(values[k]))
            call.fail(gateway::reason::notFinite, "%s must not hold NaN, but element %td does",
                      name, k + 1);
}

// The m-by-n matrix V of the row-wise modules, given as (V, m, n) in inputs 1 to 3.
struct MatrixInput {
    const double* V;
    int m;
    int n;
    std::ptrdiff_t size() const { return std::ptrdiff_t{m} * n; }
};

inline MatrixInput matrixInput(const gateway::Call& call) {
    MatrixInput input;
    input.m = call.size(1, "m");
    input.n = call.size(2, "n");
    input.V = call.doubles(0, "V", input.size());
    return input;
}

// The L1-ball search needs finite magnitudes whose sum is finite too. Checks `count` elements
// taken every `stride` elements; `what` names them in the messages.
inline void requireSearchable(const gateway::Call& call, const double* data, std::ptrdiff_t count,
                              std::ptrdiff_t stride, const char* what) {
    double sum = 0;
    for (std::ptrdiff_t k = 0; k < count; ++k) {
        const double a = data[k * stride];
        if (!std::isfinite(a))
            call.fail(gateway::reason::notFinite, "%s must be finite, but element %td is %g", what,
                      k + 1, a);
        sum += std::fabs(a);
    }
    if (!std::isfinite(sum))
        call.fail(projectionReason::overflow,
                  "the sum of the magnitudes of %s overflows the double range", what);
}

// requireSearchable on every row of the column-major m-by-n matrix V.
inline void requireSearchableRows(const gateway::Call& call, const double* V, int m, int n,
                                  const char* name) {
    for (int i = 0; i < m; ++i) {
        char what[64];
        std::snprintf(what, sizeof what, "row %d of %s", i + 1, name);
        requireSearchable(call, V + i, n, m, what);
    }
}

}  // namespace projectionInputs
