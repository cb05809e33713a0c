// [X, t] = rowCone(V, c, m, n)
#include <cstddef>

#include "cone/cone.hpp"
#include "host/gateway.hpp"

void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]) {
    const gateway::Call call("rowCone", "[X, t] = rowCone(V, c, m, n)", nlhs, nrhs, prhs);

    // Check and get the inputs.
    call.expectArguments(4, 2);
    const int m = call.size(2, "m");
    const int n = call.size(3, "n");
    const double* V = call.doubles(0, "V", static_cast<std::ptrdiff_t>(m) * n);
    const double* c = call.doubles(1, "c", m);

    // Create the outputs.
    mxArray* outputs[2] = {gateway::newMatrix(m, n), gateway::newMatrix(m, 1)};

    // Compute.
    rowCone(mxGetPr(outputs[0]), mxGetPr(outputs[1]), V, c, m, n);

    call.deliver(plhs, outputs, 2);
}
