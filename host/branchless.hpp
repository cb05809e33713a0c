// Choices between doubles made on their bits, for loops whose comparisons come out at random
// on real data: a compiler may turn a conditional expression into a branch, whose
// mispredictions then cost more than the work; a mask never does. Both results are exact:
// the chosen operand's bits, or +0.
#pragma once

#include <cstdint>
#include <cstring>

// a when `keep`, +0 otherwise.
inline double keptIf(bool keep, double a) {
    std::uint64_t bits;
    std::memcpy(&bits, &a, sizeof bits);
    bits &= ~(static_cast<std::uint64_t>(keep) - 1);
    std::memcpy(&a, &bits, sizeof bits);
    return a;
}

// a when `first`, b otherwise, the sign of a zero included.
inline double chosen(bool first, double a, double b) {
    std::uint64_t bitsA, bitsB;
    std::memcpy(&bitsA, &a, sizeof bitsA);
    std::memcpy(&bitsB, &b, sizeof bitsB);
    const std::uint64_t mask = ~(static_cast<std::uint64_t>(first) - 1);
    const std::uint64_t bits = (bitsA & mask) | (bitsB & ~mask);
    double result;
    std::memcpy(&result, &bits, sizeof result);
    return result;
}
