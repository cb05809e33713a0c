// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// The root finder with the power of its starting point carried between calls.
//
// The bisection of the general case solves every element again from its previous root, whose
// power x^(p-1) the previous call has already computed; handing it back saves one pow per
// element and iteration. pow is a pure function, so the results are the same bit for bit.
#pragma once

#include <limits>

// x^(p-1) of a starting point, or unknown (to be computed when the point is used).
constexpr double kUnknownPower = std::numeric_limits<double>::quiet_NaN();

// findPowerRoot starting from x0, whose power x0^(p-1) is x0Power (or kUnknownPower).
// rootPower receives root^(p-1) when the routine computed it, kUnknownPower otherwise. Returns
// false, printing nothing and leaving root, rootPower and steps unwritten, when the step limit
// runs out.
bool findPowerRootFrom(double* root, double* rootPower, int* steps, double v, double p, double c,
                       double x0, double x0Power);
