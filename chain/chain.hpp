// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// Chain fits: the nonnegative non-increasing fit of a sequence that is constant on blocks of
// consecutive positions, each block carrying the mean of its values and every block with a
// mean at or below 0 set to 0. Two sweeps compute it, each with its own arithmetic.
//
// Plain routines over caller-owned arrays; x must not overlap v. A failure prints its message
// through the console and throws RoutineFailure.
#pragma once

// Pools from the last position toward the first; linear in n. n <= 0 prints
// "\n n=<n> should be an integer over 1!" and fails (reason::nonPositiveLength).
void chainAscend(double* x, const double* v, int n);

// Takes, from each block start on, the longest prefix with the largest mean, summing afresh
// from every block start; quadratic in n when the fit has many blocks. n <= 0 writes nothing.
void chainDescend(double* x, const double* v, int n);
