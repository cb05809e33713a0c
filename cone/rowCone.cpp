// Row-wise projection onto second-order cones. Flat indices are 64-bit, so matrices with more
// than 2^31 elements work.
#include <cstddef>

#include "cone/cone.hpp"
#include "cone/second_order_cone.hpp"

void rowCone(double* X, double* t, const double* V, const double* c, int m, int n) {
    for (int i = 0; i < m; ++i) t[i] = projectOntoCone(X + i, V + i, c[i], n, m);
}
