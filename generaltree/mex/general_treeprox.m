function x = general_treeprox(v, n, G, ind, nodes)
%GENERAL_TREEPROX Proximal operator of a tree-structured group lasso penalty over an index list.
%   x = general_treeprox(v, n, G, ind, nodes)
%
%   As treeprox, with groups that are any lists of positions instead of ranges: the
%   positions of all groups are written one after another into G, and column k of ind,
%   [start; end; weight], names the slice G(start:end). Returns the minimiser of
%   0.5*norm(x - v)^2 + Omega(x), where
%
%     Omega(x) = w0*sum(abs(x)) + sum over the groups k of w_k*norm(x(G(s_k:e_k)))
%
%   when the groups, as sets of positions, are pairwise nested or disjoint and each is listed
%   after the groups nested inside it. The nodes are applied in order to a copy of v; a
%   position listed twice in one slice counts twice in its group's length and is scaled
%   twice. The L1 node [-1; -1; w0] soft-thresholds every entry and does not use G.
%
%   Inputs
%     v      real double vector with at least n elements
%     n      length, a nonnegative integer (truncated toward zero)
%     G      real double array of 1-based positions into v (truncated toward zero), read in
%            column order; only the entries that some slice lists are read
%     ind    node table, 3-by-nodes: column k is [start; end; weight], the 1-based
%            inclusive slice start:end of G (truncated toward zero); a first column
%            [-1; -1; w0] is the L1 node; a column with end < start lists nothing;
%            ind(:,1) is read even when nodes is 0
%     nodes  number of columns of ind to apply, the L1 node included
%
%   Outputs
%     x      n-by-1 result
%
%   Errors (identifier general_treeprox:<reason>)
%     notFinite       v holds a NaN, or a weight in ind is NaN (Inf is accepted)
%     inputCount, outputCount, notRealDouble, notScalar, negativeSize
%     tooFewElements      v has fewer than n elements, or ind fewer than 3*max(nodes, 1)
%     nodeOutOfRange      a column of ind has a start or end that is NaN, infinite or
%                         beyond the 32-bit integer range
%     sliceOutOfRange     a column of ind names a slice outside 1..numel(G)
%     positionOutOfRange  a slice lists a position outside 1..n
%     nodeOrder           a slice lists only positions of an earlier, larger slice: list
%                         every group after the groups nested inside it (checked where the
%                         slices are nested or disjoint; with partly overlapping slices the
%                         order is taken as it is)
%     outOfMemory         no memory for that check
%     badL1Node           ind(:,1) starts at -1 but does not end at -1 (after printing
%                         "Error! Check ind")
%     interrupted     Ctrl-C in Octave stopped the call (MATLAB documents no way for
%                     a module to see Ctrl-C: there the call runs to its end)
%
%   Example
%     v = [3; 0; 4];
%     x = general_treeprox(v, 3, [1 3], [1; 2; 2.5], 1)   % the group {1, 3}: x = [1.5; 0; 2]
%
%   See also TREEPROX, GENERAL_TREEPROX_MT, GENERAL_PENALTYVALUE, GENERAL_CRITICALWEIGHT.

% Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
error('general_treeprox:notBuilt', 'general_treeprox is not built: run build_modules');
