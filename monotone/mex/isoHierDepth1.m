function x = isoHierDepth1(v, n)
%ISOHIERDEPTH1 Nonnegative isotonic (monotone) fit of a vector over a star: node 1 above all others.
%   x = isoHierDepth1(v, n)
%
%   Fits v(1:n) to the order in which node 1 is the parent of every other node: x(1) >=
%   x(k) for all k, and x >= 0. x takes on node 1 and the nodes pooled with it the mean of
%   their values (0 where that mean would be negative) and keeps v(k), or 0 where v(k) is
%   negative, elsewhere: x minimises sum((x - v).^2) under those constraints.
%
%   Inputs
%     v   real double vector (or array, read in column order) with at least n elements, all
%         finite
%     n   number of nodes, a nonnegative integer (truncated toward zero); 0 gives an empty x
%
%   Outputs
%     x   n-by-1 fit
%
%   Errors (identifier isoHierDepth1:<reason>)
%     inputCount, outputCount, notRealDouble, notScalar, negativeSize, tooFewElements
%     notFinite     v(1:n) holds NaN or Inf
%     overflow      a pooled mean overflows the double range
%     outOfMemory   the tree does not fit in memory
%     interrupted   Ctrl-C in Octave stopped the call (MATLAB documents no way for
%                   a module to see Ctrl-C: there the call runs to its end)
%
%   Example
%     x = isoHierDepth1([1; 5; 3], 3)   % node 1 pools with nodes 2 and 3: x = [3; 3; 3]
%     x = isoHierDepth1([4; 1; -2], 3)  % no pooling: x = [4; 1; 0]
%
%   See also ISOHIERBINARY, ISOHIER, ISOHIER_WITHOUT_NONNEGATIVE.

% Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
error('isoHierDepth1:notBuilt', 'isoHierDepth1 is not built: run build_modules');
