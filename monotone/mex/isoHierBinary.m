function x = isoHierBinary(v, n)
%ISOHIERBINARY Nonnegative isotonic (monotone) fit of a vector over a binary heap.
%   x = isoHierBinary(v, n)
%
%   Fits v(1:n) to the order of the binary heap on nodes 1..n: node k is the parent of
%   nodes 2k and 2k+1 where they exist (with n even, node n/2 has the single child n), and
%   node 1 is the root. x is constant on blocks of connected nodes, takes on each block the
%   mean of v over the block, or 0 where that mean would be negative, and never increases
%   from a node to its children: x minimises sum((x - v).^2) subject to x(parent) >=
%   x(child) on every edge and x >= 0.
%
%   Inputs
%     v   real double vector (or array, read in column order) with at least n elements, all
%         finite
%     n   number of nodes, a nonnegative integer (truncated toward zero); 0 gives an empty x
%
%   Outputs
%     x   n-by-1 fit
%
%   Errors (identifier isoHierBinary:<reason>)
%     inputCount, outputCount, notRealDouble, notScalar, negativeSize, tooFewElements
%     notFinite     v(1:n) holds NaN or Inf
%     overflow      a pooled mean overflows the double range
%     outOfMemory   the tree does not fit in memory
%     interrupted   Ctrl-C in Octave stopped the call (MATLAB documents no way for
%                   a module to see Ctrl-C: there the call runs to its end)
%
%   Example
%     x = isoHierBinary([1; 5; 3], 3)   % node 1 pools with both children: x = [3; 3; 3]
%
%   See also ISOHIERDEPTH1, ISOHIER, ISOHIER_WITHOUT_NONNEGATIVE.

% Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
error('isoHierBinary:notBuilt', 'isoHierBinary is not built: run build_modules');
