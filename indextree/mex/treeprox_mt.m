function X = treeprox_mt(V, rows, cols, ind, nodes)
%TREEPROX_MT Tree-structured group lasso proximal operator applied to every row of a matrix.
%   X = treeprox_mt(V, rows, cols, ind, nodes)
%
%   Row i of X is treeprox(V(i,:), cols, ind, nodes): one node table, with the same weights,
%   for every row, its ranges indexing the columns. Used for multi-task models where the
%   columns are the features and the rows the tasks.
%
%   Inputs
%     V      real double matrix with at least rows*cols elements, read as rows-by-cols in
%            column order
%     rows   number of rows, a nonnegative integer (truncated toward zero)
%     cols   number of columns, a nonnegative integer
%     ind    node table, 3-by-nodes: column k is [start; end; weight] with start:end a range
%            of columns; a first column [-1; -1; w0] is the L1 node (see treeprox)
%     nodes  number of columns of ind to apply, the L1 node included
%
%   Outputs
%     X      rows-by-cols result
%
%   With rows = 0 the table is not applied, so only its size and ranges are checked.
%
%   Rows run on up to SPARSEMEX_THREADS threads (default: every core), with the same results.
%
%   Errors (identifier treeprox_mt:<reason>)
%     notFinite       V holds a NaN, or a weight in ind is NaN (Inf is accepted)
%     inputCount, outputCount, notRealDouble, notScalar, negativeSize
%     tooFewElements  V has fewer than rows*cols elements, or ind fewer than 3*nodes (3 at
%                     least when rows > 0)
%     nodeOutOfRange  a column of ind covers columns outside 1..cols, or has a start or end
%                     that is NaN, infinite or beyond the 32-bit integer range
%     nodeOrder       a column of ind covers part of the range of an earlier column:
%                     list every group after the groups nested inside it
%     outOfMemory     no memory for that check
%     badL1Node       ind(:,1) starts at -1 but does not end at -1 (after printing
%                     "Error! Check ind")
%     interrupted     Ctrl-C in Octave stopped the call (MATLAB documents no way for
%                     a module to see Ctrl-C: there the call runs to its end)
%
%   Example
%     V = [3 4; 1 0];
%     X = treeprox_mt(V, 2, 2, [1; 2; 2.5], 1)   % X = [1.5 2; 0 0]
%
%   See also TREEPROX, CRITICALWEIGHT_MT, GENERAL_TREEPROX_MT.

% Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
error('treeprox_mt:notBuilt', 'treeprox_mt is not built: run build_modules');
