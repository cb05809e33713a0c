// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// Checks of the parameters that the norm-shadow routines share. Each fails the call by
// throwing RoutineFailure. A NaN passes them all but requireNormExponent, as the routines
// compare with < 0.
#pragma once

// A weight or radius named `name` is >= 0 (reason negativeWeight).
void requireNonnegativeParameter(double value, const char* name);

// rho >= 0; otherwise prints the weight message first.
void requireNonnegativeWeight(double rho);

// p >= 1 and not NaN: below 1 the norm is not convex and the optimality conditions of the
// general case do not hold.
void requireNormExponent(double p);
