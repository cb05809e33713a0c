// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// Every reason a module fails with, written once. A module raises a reason as the error
// identifier "<module>:<reason>", which scripts and the help files name: a reason, once
// released, keeps its spelling. A new failure takes its reason from here, never a literal.
#pragma once

namespace reason {

// The argument checks that every module makes (mex/gateway.hpp).
constexpr const char* inputCount = "inputCount";
constexpr const char* outputCount = "outputCount";
constexpr const char* notRealDouble = "notRealDouble";
constexpr const char* notScalar = "notScalar";
constexpr const char* negativeSize = "negativeSize";
constexpr const char* tooFewElements = "tooFewElements";
constexpr const char* notFinite = "notFinite";
constexpr const char* notString = "notString";

// Failures that any routine may meet.
constexpr const char* overflow = "overflow";
constexpr const char* outOfMemory = "outOfMemory";
constexpr const char* interrupted = "interrupted";
// A C++ exception that no routine documents: a fault of the module itself.
constexpr const char* internalError = "internalError";

// Projections and norm shadows.
constexpr const char* negativeRadius = "negativeRadius";
constexpr const char* negativeWeight = "negativeWeight";
constexpr const char* invalidExponent = "invalidExponent";

// Group tables (b) of the projection and cone families: a group outside 0..n-1 or with a
// negative length.
constexpr const char* groupOutOfRange = "groupOutOfRange";

// Node tables (ind) and index lists (G) of the tree families.
constexpr const char* nodeOutOfRange = "nodeOutOfRange";
constexpr const char* sliceOutOfRange = "sliceOutOfRange";
constexpr const char* positionOutOfRange = "positionOutOfRange";
constexpr const char* badL1Node = "badL1Node";
// A node listed after a node that strictly contains it.
constexpr const char* nodeOrder = "nodeOrder";

// Ordered-tree fits and their description files (nodeOutOfRange above also names a node
// number outside 1..n in a file).
constexpr const char* unreadableFile = "unreadableFile";
constexpr const char* notRegularFile = "notRegularFile";
constexpr const char* incompleteRecord = "incompleteRecord";
constexpr const char* missingChildren = "missingChildren";
constexpr const char* cyclicTree = "cyclicTree";
constexpr const char* treeTooLarge = "treeTooLarge";
constexpr const char* rootOutOfRange = "rootOutOfRange";
// A parent array with several roots (parent -1) or none.
constexpr const char* notOneRoot = "notOneRoot";

// Chain fits.
constexpr const char* nonPositiveLength = "nonPositiveLength";

// Sparse inverse covariance.
constexpr const char* negativePenalty = "negativePenalty";
constexpr const char* notSymmetric = "notSymmetric";
constexpr const char* sharedData = "sharedData";
constexpr const char* notInvertible = "notInvertible";

}  // namespace reason
