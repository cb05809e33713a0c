// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// Safeguarded Newton iteration for x + c x^(p-1) = v on 0 < x < v.
//
// For v > 0, c > 0 and p > 1 the left side grows strictly with x, so the root is unique. A
// step that leaves the interval is pulled back: to v when p > 2 (the function is convex there,
// so Newton approaches from above), and to a restart point near zero when p < 2, where the
// slope is unbounded at zero.
#include <cmath>

#include "support/console.hpp"
#include "projection/messages.hpp"
#include "projection/power_root.hpp"
#include "projection/projection.hpp"

namespace {

const double kTolerance = 1e-8;
const double kRestart = 1e-30;
const int kStepLimit = 1000;

// The roots found without a step: 0 for v = 0, and v for c = 0.
bool rootWithoutSteps(double* root, double* rootPower, int* steps, double v, double c) {
    if (v != 0 && c != 0) return false;
    *root = v == 0 ? 0 : v;
    *rootPower = kUnknownPower;
    *steps = 0;
    return true;
}

// The first iterate and its power: x0 where it lies in (0, v), with its power where known,
// and v otherwise.
struct Iterate {
    double x;
    double power;
};

Iterate startingPoint(double v, double q1, double x0, double x0Power) {
    if (v > x0 && x0 > 0) return Iterate{x0, x0Power == x0Power ? x0Power : std::pow(x0, q1)};
    return Iterate{v, std::pow(v, q1)};
}

}  // namespace

bool findPowerRootFrom(double* root, double* rootPower, int* steps, double v, double p, double c,
                       double x0, double x0Power) {
    const double q1 = p - 1;
    if (rootWithoutSteps(root, rootPower, steps, v, c)) return true;

    const Iterate start = startingPoint(v, q1, x0, x0Power);
    double x = start.x;
    double w = start.power;
    double f = x + c * w - v;
    for (int count = 1;; ++count) {
        const double slope = (c * q1 * w) / x + 1;
        x = x - f / slope;
        if (p > 2) {
            if (x > v) x = v;
        } else if (x < 0 || x > v) {
            x = kRestart;
            const double restartPower = std::pow(x, q1);
            f = x + c * restartPower - v;
            if (f > 0) {
                // The root lies below the restart point.
                *root = kRestart;
                *rootPower = restartPower;
                *steps = count;
                return true;
            }
        }
        w = std::pow(x, q1);
        f = x + c * w - v;
        if (std::fabs(f) <= kTolerance) {
            *root = x;
            *rootPower = w;
            *steps = count;
            return true;
        }
        if (count >= kStepLimit) return false;
    }
}

void findPowerRoot(double* root, int* steps, double v, double p, double c, double x0) {
    double rootPower;
    if (findPowerRootFrom(root, &rootPower, steps, v, p, c, x0, kUnknownPower)) return;
    consolePrintf(
        "\n The number of steps exceed %d, in finding the root for f(x)= x + c "
        "x^{p-1} - v, 0< x< v.",
        kStepLimit);
    consolePrintf("%s", projectionMessage::contact);
}
