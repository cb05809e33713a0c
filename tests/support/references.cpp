#include "tests/support/references.hpp"

#include <algorithm>
#include <cmath>
#include <functional>

namespace reference {

std::vector<double> l1BallProjection(const std::vector<double>& v, double z, double* threshold) {
    std::vector<double> magnitudes;
    long double total = 0;
    for (double value : v) {
        magnitudes.push_back(std::fabs(value));
        total += std::fabs(value);
    }
    double theta = 0;
    if (total > z) {
        // The threshold is (sum of the k largest - z) / k for the largest k whose k-th
        // magnitude still exceeds it.
        std::sort(magnitudes.begin(), magnitudes.end(), std::greater<double>());
        long double prefix = 0;
        for (std::size_t k = 0; k < magnitudes.size(); ++k) {
            prefix += magnitudes[k];
            const long double candidate = (prefix - z) / static_cast<long double>(k + 1);
            if (magnitudes[k] > candidate) theta = static_cast<double>(candidate);
        }
    }
    std::vector<double> x(v.size());
    for (std::size_t i = 0; i < v.size(); ++i) {
        const double shrunk = std::max(std::fabs(v[i]) - theta, 0.0);
        x[i] = v[i] < 0 ? -shrunk : shrunk;
    }
    if (threshold != nullptr) *threshold = theta;
    return x;
}

}  // namespace reference
