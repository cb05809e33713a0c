function lambda = general_criticalWeight(v, n, G, ind, nodes)
%GENERAL_CRITICALWEIGHT Smallest factor of the group lasso weights at which general_treeprox gives zero.
%   lambda = general_criticalWeight(v, n, G, ind, nodes)
%
%   As criticalWeight, with groups that are slices of the index list G: returns the smallest
%   factor lambda such that general_treeprox gives the zero vector for the first n elements
%   of v when every weight of ind (the L1 node's included) is multiplied by lambda. The
%   search, its precision of 1e-10 relative to the returned factor (which always gives
%   zero), and its first estimate sqrt(sum(v.^2)/sum(w.^2)) are those of criticalWeight; G
%   plays no part in the estimate.
%
%   Answers found before any search:
%     0    when n is 0 or v(1:n) is all zero (every factor gives zero)
%     Inf  when no finite factor gives zero: a non-zero entry of v that no slice lists,
%          without an L1 node; or every weight zero
%   The search also ends on inputs it cannot bracket: it returns Inf when even infinite
%   factors leave a non-zero result (negative weights, for instance), and 0 when the factor
%   0 itself gives zero (entries so small that their squares vanish).
%
%   Inputs
%     v      real double vector with at least n elements, all finite
%     n      length, a nonnegative integer (truncated toward zero)
%     G      real double array of 1-based positions into v (see general_treeprox)
%     ind    node table, 3-by-nodes: column k is [start; end; weight], the slice start:end
%            of G; a first column [-1; -1; w0] is the L1 node; ind(:,1) is read even when
%            nodes is 0
%     nodes  number of columns of ind, the L1 node included
%
%   Outputs
%     lambda the critical factor
%
%   Errors (identifier general_criticalWeight:<reason>)
%     inputCount, outputCount, notRealDouble, notScalar, negativeSize, outOfMemory
%     notFinite           v(1:n) holds NaN or Inf, or a weight in ind is NaN
%     tooFewElements      v has fewer than n elements, or ind fewer than 3*max(nodes, 1)
%     nodeOutOfRange      a column of ind has a start or end that is NaN, infinite or
%                         beyond the 32-bit integer range
%     sliceOutOfRange     a column of ind names a slice outside 1..numel(G)
%     positionOutOfRange  a slice lists a position outside 1..n
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
%     lambda = general_criticalWeight([3; 0; 4], 3, [1 3], [1; 2; 1], 1)   % lambda = 5
%
%   See also GENERAL_TREEPROX, GENERAL_CRITICALWEIGHT_MT, CRITICALWEIGHT.

% Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
error('general_criticalWeight:notBuilt', 'general_criticalWeight is not built: run build_modules');
