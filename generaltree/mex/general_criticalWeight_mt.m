function lambda = general_criticalWeight_mt(V, rows, cols, G, ind, nodes)
%GENERAL_CRITICALWEIGHT_MT Largest index-list group lasso critical weight over the rows of a matrix.
%   lambda = general_criticalWeight_mt(V, rows, cols, G, ind, nodes)
%
%   Returns the largest of general_criticalWeight(V(i,:), cols, G, ind, nodes) over the rows
%   i, and 0 if none is larger: the smallest factor of the weights at which
%   general_treeprox_mt maps V to the zero matrix. Each row's search, and its answers 0 and
%   Inf, are those of general_criticalWeight.
%
%   Inputs
%     V      real double matrix with at least rows*cols elements, all finite, read as
%            rows-by-cols in column order
%     rows   number of rows, a nonnegative integer (truncated toward zero); with 0 the
%            result is 0 and the table is not applied
%     cols   number of columns, a nonnegative integer
%     G      real double array of 1-based column positions (see general_treeprox)
%     ind    node table, 3-by-nodes: column k is [start; end; weight], the slice start:end
%            of G; a first column [-1; -1; w0] is the L1 node
%     nodes  number of columns of ind, the L1 node included
%
%   Outputs
%     lambda the largest critical factor
%
%   Rows run on up to SPARSEMEX_THREADS threads (default: every core), with the same results.
%
%   Errors (identifier general_criticalWeight_mt:<reason>)
%     inputCount, outputCount, notRealDouble, notScalar, negativeSize, outOfMemory
%     notFinite           V holds NaN or Inf, or a weight in ind is NaN
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
%     interrupted         Ctrl-C in Octave stopped the call (MATLAB documents no way for
%                         a module to see Ctrl-C: there the call runs to its end)
%
%   Example
%     V = [3 0 4; 0 2 0];
%     lambda = general_criticalWeight_mt(V, 2, 3, [1 3 2], [1 3; 2 3; 1 1], 2)   % about 5
%
%   See also GENERAL_CRITICALWEIGHT, GENERAL_TREEPROX_MT, CRITICALWEIGHT_MT.

% Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
error('general_criticalWeight_mt:notBuilt', ...
      'general_criticalWeight_mt is not built: run build_modules');
