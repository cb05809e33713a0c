// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// The fits over the tree of a description file. On a failure the tree goes with `root`.
#include "monotone/monotone.hpp"

void isoHier(double* x, const char* fileName, const double* v, int rootNumber, int n) {
    BlockTree root;
    initializeRoot(root, fileName, v, rootNumber, n);
    computeMaximalMean(root.get());
    computeSolution(x, root.get());
    deleteTree(root);
}

void isoHier_without_nonnegative(double* x, const char* fileName, const double* v, int rootNumber,
                                 int n) {
    BlockTree root;
    initializeRoot(root, fileName, v, rootNumber, n);
    computeMaximalMean_without_nonnegative(root.get());
    computeSolution(x, root.get());
    deleteTree(root);
}
