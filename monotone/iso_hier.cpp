// The fits over the tree of a description file.
#include "monotone/monotone.hpp"

void isoHier(double* x, const char* fileName, const double* v, int rootNumber, int n) {
    OwnedTree root;
    initializeRoot(root, fileName, v, rootNumber, n);
    computeMaximalMean(root.get());
    computeSolution(x, root.get());
}

void isoHier_without_nonnegative(double* x, const char* fileName, const double* v,
                                 int rootNumber, int n) {
    OwnedTree root;
    initializeRoot(root, fileName, v, rootNumber, n);
    computeMaximalMean_without_nonnegative(root.get());
    computeSolution(x, root.get());
}
