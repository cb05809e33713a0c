// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// The family's console messages, written once (its failure reasons are in support/reasons.hpp).
#pragma once

namespace projectionMessage {

constexpr const char* negativeRadius = "\n z should be nonnegative!\n";
constexpr const char* negativeWeight = "\n rho should be non-negative!";

// Follows every message that reports an exhausted iteration limit.
constexpr const char* contact =
    "\n If you meet with this problem, please contact the maintainers of this library at "
    "sparsemex@example.org. Thank you!";

}  // namespace projectionMessage
