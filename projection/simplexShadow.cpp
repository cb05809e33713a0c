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
#include <algorithm>
#include <cmath>

#include "support/branchless.hpp"
#include "support/console.hpp"
#include "support/interrupt.hpp"
#include "support/value_checks.hpp"
#include "projection/binary_scale.hpp"
#include "projection/drop_side.hpp"
#include "projection/messages.hpp"
#include "projection/projection.hpp"
#include "projection/soft_threshold.hpp"
#include "projection/two_ended_scan.hpp"

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
ScanEnds partitionAt(double* x, int b, int e, double t, double* s) {
    double sum = 0;
    const ScanEnds ends = scanFromBothEnds(
        x, b, e, t, [&](double a) { sum += a; },
        [&](int i, int j) {
            sum += x[i];
            swap(x, i, j);
        });
    *s = sum;
    return ends;
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

// Partitions x[b..e] around lambda, tallying the magnitudes in (lambda, lambdaS] (mid) and
// above lambdaS (high). Those <= lambda end in x[b..j], in the order the scans meet them:
// the left scan passes them in place, and a swap puts the one it brings where the left scan
// stands.
ScanEnds partitionThreeWay(double* x, int b, int e, double lambda, double lambdaS, Tally* mid,
                           Tally* high) {
    const auto tally = [&](double a) {
        if (a > lambdaS)
            high->add(a);
        else
            mid->add(a);
    };
    return scanFromBothEnds(x, b, e, lambda, tally, [&](int i, int j) {
        tally(x[i]);
        swap(x, i, j);
    });
}

// The magnitudes of x[b..last] above t, tallied in the order of their positions, and the
// counts of the two sides of t.
Tally tallyAbove(const double* x, int b, int last, double t, SideCounts* sides) {
    Tally above;
    int below = 0;
    for (int k = b; k <= last; ++k) {
        above.addIf(x[k] > t, x[k]);
        below += x[k] <= t ? 1 : 0;
    }
    *sides = SideCounts{below, above.count};
    return above;
}

// The nonzero magnitudes of v, moved to the front of x: their count, sum and largest.
struct Magnitudes {
    int count;
    double sum;
    double max;
};

Magnitudes compactMagnitudes(double* x, const double* v, int n) {
    Magnitudes found{0, 0, 0};
    for (int i = 0; i < n; ++i) {
        if (v[i] != 0) {
            const double a = std::fabs(v[i]);
            x[found.count++] = a;
            found.sum += a;
            if (a > found.max) found.max = a;
        }
    }
    return found;
}

// Divides the magnitudes, their sum and largest, z and lambda0 by 2^exponent (exact), the sum
// summed anew in order.
void scaleDown(double* x, Magnitudes* found, int exponent, double* z, double* lambda0) {
    double sum = 0;
    for (int i = 0; i < found->count; ++i) {
        x[i] = std::ldexp(x[i], -exponent);
        sum += x[i];
    }
    found->sum = sum;
    found->max = std::ldexp(found->max, -exponent);
    *z = std::ldexp(*z, -exponent);
    *lambda0 = std::ldexp(*lambda0, -exponent);
}

// The search's state: the bracket, the active range x[b..e], and the latest threshold.
struct Search {
    double* x;
    double z;
    double total;  // the sum of all magnitudes
    double tolerance;
    End left;
    End right;
    int b;
    int e;
    double lambda;

    bool bracketEmpty() const { return e - b + 1 == 0; }
};

Search startSearch(double* x, const Magnitudes& found, double z, double lambda0) {
    const double tolerance = kTolerance * binaryScale(found.max);
    return Search{x,
                  z,
                  found.sum,
                  tolerance,
                  End{0, found.sum - z, found.count, found.sum},
                  End{found.max, -z, 0, 0},
                  0,
                  found.count - 1,
                  lambda0};
}

// Partitions at the caller's guess (the current lambda, inside (0, max)) and narrows the
// bracket to its side of the root. Returns whether that ends the search.
bool narrowAtGuess(Search& search) {
    double s;
    const auto [i, j] = partitionAt(search.x, search.b, search.e, search.lambda, &s);
    const int rho = (search.e - j) + search.right.rho;
    s = s + search.right.s;
    const double fl = s - search.lambda * rho - search.z;
    bool done = false;
    if (std::fabs(fl) < search.tolerance) done = true;
    if (fl < 0) {
        search.right = End{search.lambda, fl, rho, s};
        search.e = j;
    } else {
        search.left = End{search.lambda, fl, rho, s};
        search.b = i;
    }
    if (search.bracketEmpty()) {
        search.lambda = (s - search.z) / rho;
        done = true;
    }
    return done;
}

// Newton's step from the left end, or from the right end (once it has magnitudes above it)
// where that lies further right.
double newtonStep(const End& left, const End& right) {
    double lambdaN = left.lambda + left.f / left.rho;
    if (right.rho != 0 && lambdaN < right.lambda + right.f / right.rho)
        lambdaN = right.lambda + right.f / right.rho;
    return lambdaN;
}

double secantStep(const End& left, const End& right) {
    return right.lambda - right.f * (right.lambda - left.lambda) / (right.f - left.f);
}

// Turns the tallies of the two upper classes into totals above lambdaS (high) and above
// lambda (mid), counting the magnitudes beyond the right end too.
void addClassesAbove(Tally* mid, Tally* high, const End& right) {
    high->sum += right.s;
    high->count += right.rho;
    mid->sum += high->sum;
    mid->count += high->count;
}

// The bracket end at t, from the count and sum of the magnitudes above t.
End endAt(double t, const Tally& above, double z) {
    return End{t, above.sum - t * above.count - z, above.count, above.sum};
}

// Whether f at lambdaN, as endAt computes it, is surely at least the tolerance, given the
// count of magnitudes above the midpoint, where f is at least 0 (up to rounding). From lambdaN
// to the midpoint f falls by at least their gap times that count; f computed from sums of at
// most 2^31 nonnegative terms, each rounding by at most 2^-53, is within 1e-6 of the total of
// all magnitudes of its exact value, far inside the margin.
bool surelyAboveTolerance(const Search& search, double lambdaN, int aboveMidpoint) {
    const double fall = (search.lambda - lambdaN) * aboveMidpoint;
    return fall > search.tolerance + 1e-4 * search.total;
}

// One iteration: Newton's and the secant step, a partition at their midpoint, and the bracket
// narrowed to the two of the three points around the root. Returns whether the search ends
// (search.lambda then holds the threshold).
bool narrowAtMidpoint(Search& search) {
    const double lambdaN = newtonStep(search.left, search.right);
    const double lambdaS = secantStep(search.left, search.right);
    if (std::fabs(lambdaN - lambdaS) <= search.tolerance) {
        search.lambda = lambdaN;
        return true;
    }
    search.lambda = (lambdaN + lambdaS) / 2.0;

    Tally mid, high;
    const auto [i, j] =
        partitionThreeWay(search.x, search.b, search.e, search.lambda, lambdaS, &mid, &high);
    addClassesAbove(&mid, &high, search.right);
    const End atS = endAt(lambdaS, high, search.z);
    const End atMid = endAt(search.lambda, mid, search.z);

    // A point where f is within the tolerance of 0 ends the search, the midpoint first.
    if (std::fabs(atMid.f) < search.tolerance) return true;
    if (std::fabs(atS.f) < search.tolerance) {
        search.lambda = lambdaS;
        return true;
    }

    // f at lambdaN is needed where the root lies below the midpoint, and otherwise only to end
    // the search there. A NaN stops both scans on itself, at j = i, outside both sides.
    if (atMid.f < 0 || !surelyAboveTolerance(search, lambdaN, mid.count)) {
        const int last = std::min(j, i - 1);
        SideCounts sides;
        Tally low = tallyAbove(search.x, search.b, last, lambdaN, &sides);
        low.sum += mid.sum;
        low.count += mid.count;
        const End atN = endAt(lambdaN, low, search.z);
        if (std::fabs(atN.f) < search.tolerance) {
            search.lambda = lambdaN;
            return true;
        }
        if (atMid.f < 0) {
            search.right = atMid;
            search.left = atN;
            search.e = j;
            search.b = last == j ? dropSideCounted(search.x, search.b, j, lambdaN, true, sides)
                                 : dropSide(search.x, search.b, j, lambdaN, true);
        }
    }
    if (!(atMid.f < 0)) {
        search.left = atMid;
        search.right = atS;
        search.b = i;
        search.e = dropSide(search.x, search.b, search.e, lambdaS, false);
    }
    if (search.bracketEmpty()) {
        search.lambda = (atMid.s - search.z) / atMid.rho;
        return true;
    }
    return false;
}

}  // namespace

void simplexShadow(double* x, double* root, int* steps, const double* v, int n, double z,
                   double lambda0) {
    if (z < 0) {
        consolePrintf("%s", projectionMessage::negativeRadius);
        return;
    }

    Magnitudes found = compactMagnitudes(x, v, n);
    // The sum is the one the argument check takes (zeros add nothing), so a caller need not
    // check v first: this pass fails the call instead, naming the first non-finite element.
    if (!std::isfinite(found.sum)) valuecheck::requireFiniteSum(v, n, 1, "v");
    // Far from unit scale, products of two magnitudes in the search (the secant step's) or
    // their sum would leave the double range: the search then runs on the magnitudes divided
    // by their binary scale, which is exact and gives the same bits as anywhere in between.
    const int exponent = searchExponent(found.max);
    if (exponent != 0) scaleDown(x, &found, exponent, &z, &lambda0);

    if (z >= found.sum) {
        for (int i = 0; i < n; ++i) x[i] = v[i];
        *root = 0;
        *steps = 0;
        return;
    }

    Search search = startSearch(x, found, z, lambda0);
    bool done = found.max > lambda0 && 0 < lambda0 && narrowAtGuess(search);
    int iterations = 0;
    InterruptPoll poll;
    while (!done && iterations < kStepLimit) {
        ++iterations;
        poll.tick(search.e - search.b + 1);  // the partition passes over the active range
        done = narrowAtMidpoint(search);
    }

    const double lambda = std::ldexp(search.lambda, exponent);
    softThresholdRange(x, v, n, lambda);
    *root = lambda;
    *steps = iterations;
}
