function lambda = criticalWeight(v, n, ind, nodes)
%CRITICALWEIGHT Smallest factor of the group lasso weights at which treeprox maps v to zero.
%   lambda = criticalWeight(v, n, ind, nodes)
%
%   Returns the smallest factor lambda such that treeprox gives the zero vector for the first
%   n elements of v when every weight of ind (the L1 node's included) is multiplied by
%   lambda. For a regularization path this is where the path starts: any factor at or above
%   lambda selects nothing.
%
%   The search treats treeprox as a black box: a first estimate
%   sqrt(sum(v.^2)/sum(w.^2)) (the L1 weight counted n times), then doubling or halving
%   until the result changes between zero and non-zero, then bisection until the bracket
%   is narrower than 1e-10 times its upper end. The returned factor always gives zero; a
%   factor 1e-10 below it (relatively) may too. During halving the upper end stays at the
%   first estimate.
%
%   Answers found before any search:
%     0    when n is 0 or v(1:n) is all zero (every factor gives zero)
%     Inf  when no finite factor gives zero: a non-zero entry of v that no column of ind
%          covers, without an L1 node; or every weight zero
%   The search also ends on inputs it cannot bracket: it returns Inf when even infinite
%   factors leave a non-zero result (negative weights, for instance), and 0 when the factor
%   0 itself gives zero (entries so small that their squares vanish).
%
%   Inputs
%     v      real double vector with at least n elements, all finite
%     n      length, a nonnegative integer (truncated toward zero)
%     ind    node table, 3-by-nodes: column k is [start; end; weight] (see treeprox);
%            ind(:,1) is read even when nodes is 0
%     nodes  number of columns of ind, the L1 node included
%
%   Outputs
%     lambda the critical factor
%
%   Errors (identifier criticalWeight:<reason>)
%     inputCount, outputCount, notRealDouble, notScalar, negativeSize, outOfMemory
%     notFinite       v(1:n) holds NaN or Inf, or a weight in ind is NaN
%     tooFewElements  v has fewer than n elements, or ind fewer than 3*max(nodes, 1)
%     nodeOutOfRange  a column of ind covers positions outside 1..n, or has a start or end
%                     that is NaN, infinite or beyond the 32-bit integer range
%     nodeOrder       a column of ind covers part of the range of an earlier column:
%                     list every group after the groups nested inside it
%     badL1Node       ind(:,1) starts at -1 but does not end at -1 (after printing
%                     "Error! Check ind")
%     interrupted     Ctrl-C in Octave stopped the call (MATLAB documents no way for
%                     a module to see Ctrl-C: there the call runs to its end)
%
%   Example
%     lambda = criticalWeight([3; 4], 2, [1; 2; 1], 1)   % lambda = 5 = norm([3 4])/1
%     x = treeprox([3; 4], 2, [1; 2; lambda], 1)         % x = [0; 0]
%
%   See also TREEPROX, CRITICALWEIGHT_MT, GROUPRATIOCEILING, GENERAL_CRITICALWEIGHT.

% Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
error('criticalWeight:notBuilt', 'criticalWeight is not built: run build_modules');
