// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// Where a point (vector part of norm r, bound c) lies relative to the cone {||x|| <= t}.
//
// The tests in this order, strict then inclusive, decide the ties: a point on the boundary
// (c = r) is inside, c = -r with r > 0 goes to the origin, and a NaN fails both tests.
#pragma once

#include <cmath>

// The projection lies on the boundary, with bound (r + c) / 2.
inline bool beyondCone(double r, double c) { return r > std::fabs(c); }

// Unless beyondCone: the point is its own projection.
inline bool withinCone(double r, double c) { return c >= r; }

enum class ConeRegion {
    outside,  // beyondCone
    inside,   // withinCone
    polar,    // neither: c <= -r (the polar cone) or a NaN; the projection is the origin
};

inline ConeRegion coneRegion(double r, double c) {
    if (beyondCone(r, c)) return ConeRegion::outside;
    if (withinCone(r, c)) return ConeRegion::inside;
    return ConeRegion::polar;
}
