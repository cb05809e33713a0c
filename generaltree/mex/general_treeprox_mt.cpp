// X = general_treeprox_mt(V, rows, cols, G, ind, nodes)
#include <cstddef>

#include "generaltree/generaltree.hpp"
#include "host/gateway.hpp"
#include "indextree/mex/tree_arguments.hpp"

void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]) {
    const gateway::Call call("general_treeprox_mt",
                             "X = general_treeprox_mt(V, rows, cols, G, ind, nodes)", nlhs, nrhs,
                             prhs);

    // Check and get the inputs.
    call.expectArguments(6, 1);
    const int rows = call.size(1, "rows");
    const int cols = call.size(2, "cols");
    const std::ptrdiff_t count = static_cast<std::ptrdiff_t>(rows) * cols;
    const double* V = call.doubles(0, "V", count);
    const int nodes = call.size(5, "nodes");
    const treeargs::IndexList G = treeargs::indexList(call, prhs, 3);
    const double* ind = treeargs::slicedNodeTable(call, 4, nodes, treeargs::nodeZeroForRows(rows),
                                                  G, treeargs::columnsOf("V", cols));

    // Create the output, compute, deliver.
    mxArray* outputs[1] = {gateway::newMatrix(rows, cols)};
    double* X = mxGetPr(outputs[0]);
    call.check(
        gateway::attempt([&] { general_treeprox_mt(X, V, rows, cols, G.data, ind, nodes); }));
    call.deliver(plhs, outputs, 1);
}
