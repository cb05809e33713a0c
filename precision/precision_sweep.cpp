// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// Block coordinate descent over the columns of W, one lasso step per column.
#include <cmath>

#include "support/allocation_failure.hpp"
#include "support/console.hpp"
#include "support/interrupt.hpp"
#include "precision/column_lasso.hpp"
#include "precision/precision.hpp"

void precisionSweep(double* X, double* W, const double* S, double lambda, double spareCount,
                    int n, int maxIter, double tolFun, double tolX, int maxOuter,
                    double tolOuter, bool printProgress) {
    (void)spareCount;
    const std::ptrdiff_t order = n;
    const std::size_t count = static_cast<std::size_t>(order * order);

    // W as it stood after the previous outer iteration.
    std::vector<double> previous;
    reportingAllocationFailure(kAllocationFailure,
                               "not enough memory for the previous estimate of W",
                               [&] { previous.assign(count, 0.0); });

    for (std::ptrdiff_t i = 0; i < order; ++i) {
        for (std::ptrdiff_t r = 0; r < order; ++r) {
            const std::ptrdiff_t at = r + i * order;
            W[at] = r == i ? lambda + S[at] : S[at];
            previous[static_cast<std::size_t>(at)] = W[at];
            X[at] = 0;
        }
    }

    int lastSweep = 0;
    InterruptPoll poll;
    for (int iter = 0; iter <= maxOuter; ++iter) {
        CovarianceShape shape = examineCovariance(W, n);
        for (int j = 0; j < n; ++j) {
            poll.tick(static_cast<long long>(count));  // a column's step reads all of W
            // A column left unsolved would make the estimate wrong: fail the call (the step
            // has printed its message).
            if (lassoColumn(X, W, S, lambda, n, j, lastSweep, maxIter, tolFun, tolX, &shape) < 0)
                throw RoutineFailure(reason::outOfMemory,
                                     "not enough memory for the lasso step of a column");
        }
        if (lastSweep) break;

        double gap = 0;
        for (std::size_t at = 0; at < count; ++at) {
            gap += std::fabs(W[at] - previous[at]);
            previous[at] = W[at];
        }
        if (printProgress) consolePrintf("\n Outer Loop: %d, gap %e\n", iter, gap);
        if (tolOuter >= gap || iter == maxOuter - 1) lastSweep = 1;
    }
}
