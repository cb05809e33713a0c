// The chain fit by pooling from the last position toward the first.
//
// Position i either starts a block of its own (v_i above the mean of the block after it) or
// joins that block, and the grown block then absorbs the following blocks while their means
// are at least its own. Every position joins a block to its left at most once: linear time.
// Lengths are converted to double before they multiply or divide.
#include <string>

#include "chain/blocks.hpp"
#include "chain/chain.hpp"
#include "host/console.hpp"
#include "host/routine_failure.hpp"

void chainAscend(double* x, const double* v, int n) {
    if (n <= 0) {
        consolePrintf("\n n=%d should be an integer over 1!", n);
        throw RoutineFailure("nonPositiveLength",
                             "n = " + std::to_string(n) + ": the sequence must not be empty");
    }
    std::vector<int> blockEnd = allocateBlockEnds(n);

    x[n - 1] = v[n - 1];
    blockEnd[n - 1] = n - 1;
    for (int i = n - 2; i >= 0; --i) {
        const double next = x[i + 1];
        if (v[i] > next) {
            x[i] = v[i];
            blockEnd[i] = i;
            continue;
        }
        const int e = blockEnd[i + 1];
        x[i] = (v[i] + next * static_cast<double>(e - i)) / static_cast<double>(e - i + 1);
        blockEnd[i] = e;
        int s = e + 1;
        while (s < n && x[s] >= x[i]) {
            const int g = blockEnd[s];
            x[i] = (x[i] * static_cast<double>(s - i) + x[s] * static_cast<double>(g - s + 1)) /
                   static_cast<double>(g - i + 1);
            blockEnd[i] = g;
            s = g + 1;
        }
    }

    readOutBlocks(x, blockEnd, n);
}
