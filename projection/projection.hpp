// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// The projection library: Euclidean projections onto norm balls and the Lp-norm shadows.
//
// Plain routines over caller-owned arrays: outputs first, then inputs, then sizes and
// parameters. Counts are 32-bit ints. Messages go to the console (support/console.hpp); a routine
// that must fail a call throws RoutineFailure (support/routine_failure.hpp) after its message.
//
// The norm shadow of v with weight rho under the p-norm is the minimiser of
// 1/2 ||x - v||^2 + rho ||x||_p. Its multiplier c is 0 for p = 1 and p = 2, the L1-ball
// threshold for p = infinity, and the c of x_i + c x_i^(p-1) = |v_i| otherwise.
#pragma once

// Projects v (n elements) onto the L1 ball of radius z: x_i = sign(v_i) max(|v_i| - root, 0).
// x serves as the work area and must not overlap v. lambda0 is a starting guess of the
// threshold, used only when 0 < lambda0 < max|v_i|. steps receives the number of iterations.
// The search's tolerances are relative to the binary scale of v.
// A negative z prints a message and returns with x, root and steps unwritten. Magnitudes of v
// that do not sum to a finite number fail the call (notFinite, or overflow for the sum).
void simplexShadow(double* x, double* root, int* steps, const double* v, int n, double z,
                   double lambda0);

// Solves x + c x^(p-1) = v for 0 < x < v by safeguarded Newton steps from x0 (or from v when
// x0 is not inside (0, v)). steps receives the Newton steps taken. The residual tolerance is
// absolute, so v should be at unit scale. After 1000 steps without convergence it prints a
// message and leaves root and steps unwritten.
void findPowerRoot(double* root, int* steps, double v, double p, double c, double x0);

// (sum_i x_i^p)^(1/p) of n nonnegative entries, summed in index order.
double vectorPNorm(const double* x, double p, int n);

// The norm shadows in closed form: soft thresholding (p = 1), shrinking along v (p = 2), and
// v minus its projection onto the L1 ball of radius rho (p = infinity), whose threshold goes
// to c and iteration count to iterSteps[0] (iterSteps[1] = 0); c0 is the starting guess of
// the threshold. x must not overlap v. rho >= 0.
void powerShadowOne(double* x, const double* v, int n, double rho);
void powerShadowTwo(double* x, const double* v, int n, double rho);
void powerShadowInf(double* x, double* c, int* iterSteps, const double* v, int n, double rho,
                    double c0);

// The norm shadow for any p >= 1: p = 1, p = 2 and p >= 1e6 in closed form, every other p by
// powerShadowGeneral. iterSteps[0] counts iterations, iterSteps[1] Newton steps. c0 is used by
// the infinity case only. Fails the call on rho < 0 (after printing a message) and on p < 1
// or NaN. v is never written.
void powerShadow(double* x, double* c, int* iterSteps, const double* v, int n, double rho, double p,
                 double c0);

// The norm shadow for 1 < p < 1e6 and rho >= 0, by bisection on the multiplier c, solved at
// the binary scale of v so that the answer does not depend on its units. Where the bisection
// cannot work (roots that underflow, bracket ends that overflow, a multiplier far below its
// absolute tolerance) or its answer misses the optimality conditions, the shadow is found by
// a search on ||x||_p in logarithms instead; iterSteps then counts the steps of both.
void powerShadowGeneral(double* x, double* c, int* iterSteps, const double* v, int n, double rho,
                        double p);

// powerShadow on each of g consecutive groups of v, group k with weight rho[k]. The table b
// holds g + 1 doubles: group k starts at trunc(b[k]) and has trunc(b[k+1] - b[k]) elements,
// inside 0..n-1 (see group_table.hpp). Elements outside every group are left as they are.
// Every weight is checked before the first group is computed.
void powerShadowVector(double* x, const double* v, const double* b, int g, int n, const double* rho,
                       double p);

// Whether powerShadow with exponent p takes the infinity case, whose search starts from c0:
// the rows of powerShadowMatrix then depend on one another.
bool shadowChainsRows(double p);

// powerShadow on every row of the column-major m-by-n matrix V, each row starting its
// threshold search from the previous row's multiplier.
void powerShadowMatrix(double* X, const double* V, int m, int n, double rho, double p);

// Projects the rows of V (m-by-n, column-major) onto {X : sum_i ||X(i,:)||_2 <= z}: the L1-ball
// threshold lambda of the row norms shrinks every row. steps receives the L1-ball search's
// iteration count. Fails the call on z < 0 (after printing a message), and with overflow where
// lambda exceeds the largest double: row norms or sums past it are carried in units of 2^600.
void mixedShadow(double* X, double* lambda, int* steps, const double* V, int m, int n, double z,
                 double lambda0);

// The three steps of mixedShadow, for callers that hold the rows in pieces (blocks of rows on
// several machines): the norm of each of the m rows of the column-major m-by-n V; the
// threshold that mixedShadow finds from all m norms (failing as it does on z < 0, and with
// overflow where the sum of the norms overflows); and the rows shrunk by that threshold
// (X = V when it is 0). Called in turn on the same data they give mixedShadow's results bit
// for bit wherever the sum of the norms is finite.
void mixedShadowRowNorms(double* norms, const double* V, int m, int n);
void mixedShadowThreshold(double* lambda, int* steps, const double* norms, int m, double z,
                          double lambda0);
void mixedShadowShrink(double* X, const double* V, const double* norms, int m, int n,
                       double threshold);

// The same steps for every V that mixedShadow takes, including rows whose norms or whose sum
// of norms pass the largest double, as mixedShadow runs them:
// - mixedShadowPlainThreshold: mixedShadowThreshold, except that where the sum of the norms
//   overflows it sets *longUnits to 1 (else 0) and writes nothing else; the rows then need:
// - mixedShadowLongRowNorms: the norms of the rows in units of 2^600;
// - mixedShadowLongThreshold: from all m of those, the threshold in plain units (*lambda) and
//   in units of 2^600 (*longLambda); it fails with overflow, writing nothing, where the
//   threshold exceeds the largest double (or V was not finite);
// - mixedShadowShrink with the norms and the threshold in units of 2^600.
void mixedShadowPlainThreshold(double* lambda, int* steps, int* longUnits, const double* norms,
                               int m, double z, double lambda0);
void mixedShadowLongRowNorms(double* norms, const double* V, int m, int n);
void mixedShadowLongThreshold(double* lambda, int* steps, double* longLambda,
                              const double* longNorms, int m, double z, double lambda0);

// Soft-thresholds every element of V (m-by-n, column-major) by lambda1, then shrinks every row
// by lambda2: in the Euclidean norm when mode is 2 (N receives the L1 norm of X and the sum of
// its row norms), in the infinity norm otherwise (N stays (0, 0)). Fails the call on a
// negative weight.
void twoLevelShadow(double* X, double* N, const double* V, int m, int n, double lambda1,
                    double lambda2, int mode);
