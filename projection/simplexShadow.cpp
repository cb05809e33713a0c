// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// Euclidean projection onto the L1 ball, without sorting.
//
// The threshold lambda is the root of f(t) = sum_i max(|v_i| - t, 0) - z, a decreasing
// piecewise-linear function. The search keeps a bracket [lambda1, lambda2] with
// f(lambda1) >= 0 >= f(lambda2), and for each end the count rho and the sum s of the magnitudes
// above it, so that f(t) = s - t * rho - z. Each iteration takes a Newton step from the left,
// a secant step across the bracket and their midpoint, and partitions in place only the
// magnitudes still inside the bracket (the active range x[b..e]); the rest is folded into the
// counts and sums of the ends. x holds the magnitudes during the search.
//
// The stopping tests compare f and the distance between two candidate thresholds, both of which
// scale with the data, with a tolerance taken relative to the data's binary scale: the answer
// for v and z scaled by a power of two is the answer for v and z, scaled.
//
// Every comparison below is the one the algorithm is defined with (strict or not); changing
// one changes results. The partition loops stop when their two indices meet on the same
// element, which only a NaN can cause; without that they would never end.
#include <cmath>

#include "host/branchless.hpp"
#include "host/console.hpp"
#include "projection/binary_scale.hpp"
#include "projection/drop_side.hpp"
#include "projection/messages.hpp"
#include "projection/projection.hpp"

namespace {

// At unit scale (largest magnitude in [1, 2)).
const double kTolerance = 1e-8;

// A NaN-free search halves its bracket every iteration, so it ends long before this; the
// limit only guarantees that the routine returns whatever it is given.
const int kStepLimit = 10000;

// One end of the bracket: the point, f there, and the count and sum of magnitudes above it.
struct End {
    double lambda;
    double f;
    int rho;
    double s;
};

// The power-of-two exponent by which the search scales the magnitudes: 0 (no scaling) while
// the largest magnitude lies within 2^+-400, where no product or sum of the search can overflow
// or lose bits to underflow for any length that an int holds.
int searchExponent(double largest) {
    const double scale = binaryScale(largest);
    if (scale >= 0x1p-400 && scale <= 0x1p400) return 0;
    int exponent;
    std::frexp(scale, &exponent);
    return exponent - 1;
}

void swap(double* x, int i, int j) {
    const double t = x[i];
    x[i] = x[j];
    x[j] = t;
}

// Moves the magnitudes of x[b..e] that are > t to the right; on return x[b..j] hold those <= t
// and x[i..e] those > t. s receives the sum of the magnitudes > t, in the order met.
void partitionAt(double* x, int b, int e, double t, int* iOut, int* jOut, double* s) {
    int i = b;
    int j = e;
    double sum = 0;
    while (i <= j) {
        while (i <= e && x[i] <= t) ++i;
        while (j >= b && x[j] > t) {
            sum += x[j];
            --j;
        }
        if (i >= j) break;
        sum += x[i];
        swap(x, i, j);
        ++i;
        --j;
    }
    *iOut = i;
    *jOut = j;
    *s = sum;
}

// Count and sum of the magnitudes in one class of the three-way partition. addIf adds 0 when
// a is not in the class, which leaves the sum's bits as they are (the sum is never -0), so
// that a class met at random costs no mispredicted branch.
struct Tally {
    int count = 0;
    double sum = 0;
    void add(double a) {
        ++count;
        sum += a;
    }
    void addIf(bool in, double a) {
        count += in ? 1 : 0;
        sum += keptIf(in, a);
    }
};

// Partitions x[b..e] around lambda, tallying the magnitudes in (lambdaN, lambda] (low),
// (lambda, lambdaS] (mid) and above lambdaS (high).
void partitionThreeWay(double* x, int b, int e, double lambdaN, double lambda, double lambdaS,
                       int* iOut, int* jOut, Tally* low, Tally* mid, Tally* high) {
    int i = b;
    int j = e;
    while (i <= j) {
        while (i <= e && x[i] <= lambda) {
            low->addIf(x[i] > lambdaN, x[i]);
            ++i;
        }
        while (j >= b && x[j] > lambda) {
            if (x[j] > lambdaS)
                high->add(x[j]);
            else
                mid->add(x[j]);
            --j;
        }
        if (i >= j) break;
        if (x[i] > lambdaS)
            high->add(x[i]);
        else
            mid->add(x[i]);
        if (x[j] > lambdaN) low->add(x[j]);
        swap(x, i, j);
        ++i;
        --j;
    }
    *iOut = i;
    *jOut = j;
}

// Both shifts are computed and one kept (at most one comparison holds; x is +0 where none
// does), without a branch that data met at random would mispredict.
void softThreshold(double* x, const double* v, int n, double lambda) {
    for (int i = 0; i < n; ++i) {
        const double a = v[i];
        const double above = a - lambda;
        const double below = a + lambda;
        x[i] = keptIf(a > lambda, above) + keptIf(a < -lambda, below);
    }
}

}  // namespace

void simplexShadow(double* x, double* root, int* steps, const double* v, int n, double z,
                   double lambda0) {
    if (z < 0) {
        consolePrintf("%s", projectionMessage::negativeRadius);
        return;
    }

    // Compaction: the nonzero magnitudes go to the front of x.
    int m = 0;
    double sum = 0;
    double max = 0;
    for (int i = 0; i < n; ++i) {
        if (v[i] != 0) {
            const double a = std::fabs(v[i]);
            x[m++] = a;
            sum += a;
            if (a > max) max = a;
        }
    }

    // Far from unit scale, products of two magnitudes in the search (the secant step's) or
    // their sum would leave the double range: the search then runs on the magnitudes divided
    // by their binary scale, which is exact and gives the same bits as anywhere in between.
    const int exponent = searchExponent(max);
    if (exponent != 0) {
        sum = 0;
        for (int i = 0; i < m; ++i) {
            x[i] = std::ldexp(x[i], -exponent);
            sum += x[i];
        }
        max = std::ldexp(max, -exponent);
        z = std::ldexp(z, -exponent);
        lambda0 = std::ldexp(lambda0, -exponent);
    }

    if (z >= sum) {
        for (int i = 0; i < n; ++i) x[i] = v[i];
        *root = 0;
        *steps = 0;
        return;
    }

    const double tolerance = kTolerance * binaryScale(max);
    End left{0, sum - z, m, sum};
    End right{max, -z, 0, 0};
    int b = 0;
    int e = m - 1;
    double lambda = lambda0;
    bool done = false;
    int iterations = 0;

    if (max > lambda0 && 0 < lambda0) {
        int i, j;
        double s;
        partitionAt(x, b, e, lambda, &i, &j, &s);
        const int rho = (e - j) + right.rho;
        s = s + right.s;
        const double fl = s - lambda * rho - z;
        if (std::fabs(fl) < tolerance) done = true;
        if (fl < 0) {
            right = End{lambda, fl, rho, s};
            e = j;
        } else {
            left = End{lambda, fl, rho, s};
            b = i;
        }
        if (e - b + 1 == 0) {
            lambda = (s - z) / rho;
            done = true;
        }
    }

    while (!done && iterations < kStepLimit) {
        ++iterations;

        double lambdaN = left.lambda + left.f / left.rho;
        if (right.rho != 0 && lambdaN < right.lambda + right.f / right.rho)
            lambdaN = right.lambda + right.f / right.rho;
        const double lambdaS =
            right.lambda - right.f * (right.lambda - left.lambda) / (right.f - left.f);

        if (std::fabs(lambdaN - lambdaS) <= tolerance) {
            lambda = lambdaN;
            break;
        }
        lambda = (lambdaN + lambdaS) / 2.0;

        int i, j;
        Tally low, mid, high;
        partitionThreeWay(x, b, e, lambdaN, lambda, lambdaS, &i, &j, &low, &mid, &high);

        // Totals above lambdaS, above lambda and above lambdaN.
        high.sum += right.s;
        high.count += right.rho;
        mid.sum += high.sum;
        mid.count += high.count;
        low.sum += mid.sum;
        low.count += mid.count;
        const double s = mid.sum;
        const int rho = mid.count;

        const double fS = high.sum - lambdaS * high.count - z;
        const double fl = s - lambda * rho - z;
        const double fN = low.sum - lambdaN * low.count - z;

        if (std::fabs(fl) < tolerance) break;
        if (std::fabs(fS) < tolerance) {
            lambda = lambdaS;
            break;
        }
        if (std::fabs(fN) < tolerance) {
            lambda = lambdaN;
            break;
        }

        if (fl < 0) {
            right = End{lambda, fl, rho, s};
            left = End{lambdaN, fN, low.count, low.sum};
            e = j;
            b = dropSide(x, b, e, lambdaN, true);
        } else {
            left = End{lambda, fl, rho, s};
            right = End{lambdaS, fS, high.count, high.sum};
            b = i;
            e = dropSide(x, b, e, lambdaS, false);
        }

        if (e - b + 1 == 0) {
            lambda = (s - z) / rho;
            break;
        }
    }

    lambda = std::ldexp(lambda, exponent);
    softThreshold(x, v, n, lambda);
    *root = lambda;
    *steps = iterations;
}
