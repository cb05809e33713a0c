function X = general_treeprox_mt(V, rows, cols, G, ind, nodes)
%GENERAL_TREEPROX_MT Index-list tree group lasso proximal operator applied to every row of a matrix.
%   X = general_treeprox_mt(V, rows, cols, G, ind, nodes)
%
%   Row i of X is general_treeprox(V(i,:), cols, G, ind, nodes): one index list and one
%   node table, with the same weights, for every row, the positions of G indexing the
%   columns.
%
%   Inputs
%     V      real double matrix with at least rows*cols elements, read as rows-by-cols in
%            column order
%     rows   number of rows, a nonnegative integer (truncated toward zero)
%     cols   number of columns, a nonnegative integer
%     G      real double array of 1-based column positions (see general_treeprox)
%     ind    node table, 3-by-nodes: column k is [start; end; weight], the slice start:end
%            of G; a first column [-1; -1; w0] is the L1 node
%     nodes  number of columns of ind to apply, the L1 node included
%
%   Outputs
%     X      rows-by-cols result
%
%   With rows = 0 the table is not applied, so only its size, slices and positions are
%   checked.
%
%   Rows run on up to SPARSEMEX_THREADS threads (default: every core), with the same results.
%
%   Errors (identifier general_treeprox_mt:<reason>)
%     notFinite       V holds a NaN, or a weight in ind is NaN (Inf is accepted)
%     inputCount, outputCount, notRealDouble, notScalar, negativeSize, outOfMemory
%     tooFewElements      V has fewer than rows*cols elements, or ind fewer than 3*nodes
%                         (3 at least when rows > 0)
%     nodeOutOfRange      a column of ind has a start or end that is NaN, infinite or
%                         beyond the 32-bit integer range
%     sliceOutOfRange     a column of ind names a slice outside 1..numel(G)
%     positionOutOfRange  a slice lists a position outside 1..cols
%     nodeOrder           a slice lists only positions of an earlier, larger slice: list
%                         every group after the groups nested inside it (checked where the
%                         slices are nested or disjoint; with partly overlapping slices the
%                         order is taken as it is)
%     badL1Node           ind(:,1) starts at -1 but does not end at -1 (after printing
%                         "Error! Check ind")
%     interrupted     Ctrl-C in Octave stopped the call (MATLAB documents no way for
%                     a module to see Ctrl-C: there the call runs to its end)
%
%   Example
%     V = [3 0 4; 1 1 0];
%     X = general_treeprox_mt(V, 2, 3, [1 3], [1; 2; 2.5], 1)   % X = [1.5 0 2; 0 1 0]
%
%   See also GENERAL_TREEPROX, TREEPROX_MT, GENERAL_CRITICALWEIGHT_MT.

% Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
error('general_treeprox_mt:notBuilt', 'general_treeprox_mt is not built: run build_modules');
