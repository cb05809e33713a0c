// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// How a core routine fails a call.
//
// A routine that cannot deliver a result prints its message through consolePrintf and then
// throws RoutineFailure with one of the reasons of support/reasons.hpp. The gateway catches it,
// leaves every scope that owns memory, and raises a host error "<module>:<reason>" with the
// failure's text. A failed allocation becomes a RoutineFailure through
// support/allocation_failure.hpp.
#pragma once

#include <stdexcept>
#include <string>

#include "support/reasons.hpp"

class RoutineFailure : public std::runtime_error {
public:
    // reason: one of the constants of namespace reason; only the pointer is kept.
    RoutineFailure(const char* reason, const std::string& message)
        : std::runtime_error(message), reason_(reason) {}

    const char* reason() const noexcept { return reason_; }

private:
    const char* reason_;
};
