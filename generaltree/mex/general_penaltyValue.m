function value = general_penaltyValue(x, n, G, ind, nodes)
%GENERAL_PENALTYVALUE Value of a tree-structured group lasso penalty over an index list.
%   value = general_penaltyValue(x, n, G, ind, nodes)
%
%   Returns Omega(x) = w0*sum(abs(x)) + sum over the groups k of w_k*norm(x(G(s_k:e_k))) for
%   the first n elements of x, the penalty whose proximal operator general_treeprox
%   computes. A position listed twice in one slice counts twice. Terms are added in the
%   order of the columns of ind.
%
%   Inputs
%     x      real double vector with at least n elements
%     n      length, a nonnegative integer (truncated toward zero)
%     G      real double array of 1-based positions into x (see general_treeprox)
%     ind    node table, 3-by-nodes: column k is [start; end; weight], the slice start:end
%            of G; a first column [-1; -1; w0] is the L1 node; ind(:,1) is read even when
%            nodes is 0
%     nodes  number of columns of ind, the L1 node included
%
%   Outputs
%     value  the penalty
%
%   Errors (identifier general_penaltyValue:<reason>)
%     notFinite       a weight in ind is NaN (a NaN in x is no error: value is NaN)
%     inputCount, outputCount, notRealDouble, notScalar, negativeSize
%     tooFewElements      x has fewer than n elements, or ind fewer than 3*max(nodes, 1)
%     nodeOutOfRange      a column of ind has a start or end that is NaN, infinite or
%                         beyond the 32-bit integer range
%     sliceOutOfRange     a column of ind names a slice outside 1..numel(G)
%     positionOutOfRange  a slice lists a position outside 1..n
%     badL1Node           ind(:,1) starts at -1 but does not end at -1 (after printing
%                         "Error! Check ind")
%     interrupted     Ctrl-C in Octave stopped the call (MATLAB documents no way for
%                     a module to see Ctrl-C: there the call runs to its end)
%
%   Example
%     value = general_penaltyValue([3; 0; 4], 3, [1 3], [1; 2; 2], 1)   % 2*5 = 10
%
%   See also GENERAL_TREEPROX, PENALTYVALUE.

% Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
error('general_penaltyValue:notBuilt', 'general_penaltyValue is not built: run build_modules');
