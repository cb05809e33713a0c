// Where a point (vector part of norm r, bound c) lies relative to the cone {||x|| <= t}.
#pragma once

#include <cmath>

enum class ConeRegion {
    outside,  // r > |c|: the projection lies on the boundary, with bound (r + c) / 2
    inside,   // c >= r: the point is its own projection
    polar,    // c <= -r, or a NaN failed both tests: the projection is the origin
};

// The tests in this order, strict then inclusive, decide the ties: a point on the boundary
// (c = r) is inside, and c = -r with r > 0 goes to the origin.
inline ConeRegion coneRegion(double r, double c) {
    if (r > std::fabs(c)) return ConeRegion::outside;
    if (c >= r) return ConeRegion::inside;
    return ConeRegion::polar;
}
