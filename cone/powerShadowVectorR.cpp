// Group-wise projection onto second-order cones, over a group boundary table.
#include <cstddef>

#include "cone/cone.hpp"
#include "cone/groups.hpp"
#include "cone/second_order_cone.hpp"

void powerShadowVectorR(double* x, double* t, const double* v, const double* c, const double* b,
                        int /*n*/, int g) {
    for (int k = 0; k < g; ++k) {
        const GroupRange group = groupRange(b, k);
        if (group.empty())
            t[k] = projectOntoCone(x, v, c[k], 0, 1);  // r = 0: only the bound changes
        else
            t[k] = projectOntoCone(x + group.start, v + group.start, c[k],
                                   static_cast<std::ptrdiff_t>(group.end) - group.start, 1);
    }
}
