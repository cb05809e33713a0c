function x = treeprox(v, n, ind, nodes)
%TREEPROX Proximal operator of a tree-structured group lasso penalty over index ranges.
%   x = treeprox(v, n, ind, nodes)
%
%   Returns the minimiser of 0.5*norm(x - v)^2 + Omega(x) over x, for the first n elements
%   of v, where
%
%     Omega(x) = w0*sum(abs(x)) + sum over the groups k of w_k*norm(x(s_k:e_k))
%
%   and any two groups s_k:e_k are nested or disjoint (a tree). The columns of ind are
%   applied in order to a copy of v: the L1 node soft-thresholds every entry by w0; every
%   other column scales its range by (r - w)/r, r being the range's Euclidean length, or
%   sets the range to zero when r <= w (a range whose length equals its weight goes to
%   zero). List every group after the groups nested inside it (the deepest first, the root
%   last): the composition is then the proximal operator. See the README for building ind.
%
%   Inputs
%     v      real double vector (or array, read in column order) with at least n elements
%     n      length, a nonnegative integer (truncated toward zero)
%     ind    node table, a 3-by-nodes real double matrix: column k is [start; end; weight],
%            the 1-based inclusive range start:end (both truncated toward zero) and its
%            weight. A first column [-1; -1; w0] is the L1 node. A column with end < start
%            covers nothing. ind(:,1) is read even when nodes is 0.
%     nodes  number of columns of ind to apply, the L1 node included
%
%   Outputs
%     x      n-by-1 result
%
%   Errors (identifier treeprox:<reason>)
%     notFinite       v holds a NaN, or a weight in ind is NaN (Inf is accepted)
%     inputCount, outputCount, notRealDouble, notScalar, negativeSize
%     tooFewElements  v has fewer than n elements, or ind fewer than 3*max(nodes, 1)
%     nodeOutOfRange  a column of ind covers positions outside 1..n, or has a start or end
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
%     v = [3; -1; 0.5];
%     ind = [-1 1; -1 3; 1 1];       % the L1 node with w0 = 1, then 1:3 with weight 1
%     x = treeprox(v, 3, ind, 2)     % x = [1; 0; 0]
%
%   See also TREEPROX_MT, PENALTYVALUE, CRITICALWEIGHT, GENERAL_TREEPROX.

% Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
error('treeprox:notBuilt', 'treeprox is not built: run build_modules');
