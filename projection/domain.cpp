// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
#include "projection/domain.hpp"

#include <cstdio>

#include "support/console.hpp"
#include "support/routine_failure.hpp"
#include "projection/messages.hpp"

void requireNonnegativeParameter(double value, const char* name) {
    if (value < 0) {
        char message[96];
        std::snprintf(message, sizeof message, "the weight %s must be nonnegative, got %g", name,
                      value);
        throw RoutineFailure(reason::negativeWeight, message);
    }
}

void requireNonnegativeWeight(double rho) {
    if (rho < 0) consolePrintf("%s", projectionMessage::negativeWeight);
    requireNonnegativeParameter(rho, "rho");
}

void requireNormExponent(double p) {
    if (!(p >= 1)) {
        char message[96];
        std::snprintf(message, sizeof message, "the exponent p must be at least 1, got %g", p);
        throw RoutineFailure(reason::invalidExponent, message);
    }
}
