// The projection library: Euclidean projections onto norm balls and the Lp-norm shadows.
//
// Plain routines over caller-owned arrays: outputs first, then inputs, then sizes and
// parameters. Counts are 32-bit ints. Messages go to the console (host/console.hpp).
#pragma once

// Projects v (n elements) onto the L1 ball of radius z: x_i = sign(v_i) max(|v_i| - root, 0).
// x serves as the work area and must not overlap v. lambda0 is a starting guess of the
// threshold, used only when 0 < lambda0 < max|v_i|. steps receives the number of iterations.
// A negative z prints a message and returns with x, root and steps unwritten.
void simplexShadow(double* x, double* root, int* steps, const double* v, int n, double z,
                   double lambda0);
