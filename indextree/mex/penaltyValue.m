function value = penaltyValue(x, n, ind, nodes)
%PENALTYVALUE Value of a tree-structured group lasso penalty over index ranges.
%   value = penaltyValue(x, n, ind, nodes)
%
%   Returns Omega(x) = w0*sum(abs(x)) + sum over the groups k of w_k*norm(x(s_k:e_k)) for
%   the first n elements of x, the penalty whose proximal operator treeprox computes. The
%   L1 term is present when ind(:,1) is the L1 node [-1; -1; w0]. Terms are added in the
%   order of the columns of ind.
%
%   Inputs
%     x      real double vector with at least n elements
%     n      length, a nonnegative integer (truncated toward zero)
%     ind    node table, 3-by-nodes: column k is [start; end; weight] (see treeprox);
%            ind(:,1) is read even when nodes is 0
%     nodes  number of columns of ind, the L1 node included
%
%   Outputs
%     value  the penalty
%
%   Errors (identifier penaltyValue:<reason>)
%     notFinite       a weight in ind is NaN (a NaN in x is no error: value is NaN)
%     inputCount, outputCount, notRealDouble, notScalar, negativeSize
%     tooFewElements  x has fewer than n elements, or ind fewer than 3*max(nodes, 1)
%     nodeOutOfRange  a column of ind covers positions outside 1..n, or has a start or end
%                     that is NaN, infinite or beyond the 32-bit integer range
%     badL1Node       ind(:,1) starts at -1 but does not end at -1 (after printing
%                     "Error! Check ind")
%     interrupted     Ctrl-C in Octave stopped the call (MATLAB documents no way for
%                     a module to see Ctrl-C: there the call runs to its end)
%
%   Example
%     ind = [-1 1; -1 2; 0.5 2];     % the L1 node with w0 = 0.5, then 1:2 with weight 2
%     value = penaltyValue([3; -4], 2, ind, 2)   % 0.5*7 + 2*5 = 13.5
%
%   See also TREEPROX, GROUPRATIOCEILING, GENERAL_PENALTYVALUE.

% Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
error('penaltyValue:notBuilt', 'penaltyValue is not built: run build_modules');
