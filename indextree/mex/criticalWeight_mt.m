function lambda = criticalWeight_mt(V, rows, cols, ind, nodes)
%CRITICALWEIGHT_MT Largest group lasso critical weight over the rows of a matrix.
%   lambda = criticalWeight_mt(V, rows, cols, ind, nodes)
%
%   Returns the largest of criticalWeight(V(i,:), cols, ind, nodes) over the rows i, and 0
%   if none is larger: the smallest factor of the weights at which treeprox_mt maps V to the
%   zero matrix. Each row's search, and its answers 0 and Inf, are those of criticalWeight.
%
%   Inputs
%     V      real double matrix with at least rows*cols elements, all finite, read as
%            rows-by-cols in column order
%     rows   number of rows, a nonnegative integer (truncated toward zero); with 0 the
%            result is 0 and the table is not applied
%     cols   number of columns, a nonnegative integer
%     ind    node table, 3-by-nodes: column k is [start; end; weight] with start:end a range
%            of columns; a first column [-1; -1; w0] is the L1 node (see treeprox)
%     nodes  number of columns of ind, the L1 node included
%
%   Outputs
%     lambda the largest critical factor
%
%   Rows run on up to SPARSEMEX_THREADS threads (default: every core), with the same results.
%
%   Errors (identifier criticalWeight_mt:<reason>)
%     inputCount, outputCount, notRealDouble, notScalar, negativeSize, outOfMemory
%     notFinite       V holds NaN or Inf, or a weight in ind is NaN
%     tooFewElements  V has fewer than rows*cols elements, or ind fewer than 3*nodes (3 at
%                     least when rows > 0)
%     nodeOutOfRange  a column of ind covers columns outside 1..cols, or has a start or end
%                     that is NaN, infinite or beyond the 32-bit integer range
%     nodeOrder       a column of ind covers part of the range of an earlier column:
%                     list every group after the groups nested inside it
%     badL1Node       ind(:,1) starts at -1 but does not end at -1 (after printing
%                     "Error! Check ind")
%     interrupted     Ctrl-C in Octave stopped the call (MATLAB documents no way for
%                     a module to see Ctrl-C: there the call runs to its end)
%
%   Example
%     V = [3 4; 1 0];
%     lambda = criticalWeight_mt(V, 2, 2, [1; 2; 1], 1)   % rows give 5 and 1: lambda = 5
%
%   See also CRITICALWEIGHT, TREEPROX_MT, GENERAL_CRITICALWEIGHT_MT.

% Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
error('criticalWeight_mt:notBuilt', 'criticalWeight_mt is not built: run build_modules');
