function value = groupRatioCeiling(x, n, ind, nodes)
%GROUPRATIOCEILING Largest ratio of a group's norm to its group lasso weight, over index ranges.
%   value = groupRatioCeiling(x, n, ind, nodes)
%
%   Returns the largest norm(x(s_k:e_k))/w_k over the columns of ind, and 0 if none is
%   larger; a ratio that is NaN (a zero group of weight zero) is passed over, and a
%   non-zero group of weight zero gives Inf. For positive weights this is the smallest
%   t >= 0 with t*w_k >= norm(x(s_k:e_k)) for every group. An L1 node [-1; -1; w0] as
%   ind(:,1) stands for the n groups of one entry each, so its ratio is max(abs(x))/w0.
%
%   Inputs
%     x      real double vector with at least n elements
%     n      length, a nonnegative integer (truncated toward zero)
%     ind    node table, 3-by-nodes: column k is [start; end; weight] (see treeprox)
%     nodes  number of columns of ind; with 0 the result is 0 and ind may be empty
%
%   Outputs
%     value  the largest ratio, never negative
%
%   Errors (identifier groupRatioCeiling:<reason>)
%     notFinite       x holds a NaN, or a weight in ind is NaN (Inf is accepted)
%     inputCount, outputCount, notRealDouble, notScalar, negativeSize
%     tooFewElements  x has fewer than n elements, or ind fewer than 3*nodes
%     nodeOutOfRange  a column of ind covers positions outside 1..n, or has a start or end
%                     that is NaN, infinite or beyond the 32-bit integer range
%     badL1Node       ind(:,1) starts at -1 but does not end at -1 (after printing
%                     "Error! Check ind")
%     interrupted     Ctrl-C in Octave stopped the call (MATLAB documents no way for
%                     a module to see Ctrl-C: there the call runs to its end)
%
%   Example
%     ind = [1 2 1; 1 2 2; 1 2 10];  % groups 1:1, 2:2 and 1:2 with weights 1, 2 and 10
%     value = groupRatioCeiling([3; 4], 2, ind, 3)   % ratios 3, 2 and 0.5: value = 3
%
%   See also PENALTYVALUE, CRITICALWEIGHT.

% Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
error('groupRatioCeiling:notBuilt', 'groupRatioCeiling is not built: run build_modules');
