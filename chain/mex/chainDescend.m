function x = chainDescend(v, n)
%CHAINDESCEND Nonnegative non-increasing isotonic fit of a sequence, by largest prefix means.
%   x = chainDescend(v, n)
%
%   The fit of CHAINASCEND, by the opposite sweep: the least-squares fit of v(1:n) by a
%   non-increasing sequence, clipped at 0, whose blocks of equal values each carry the mean of
%   their part of v.
%
%   The fit is found from the first position on: from each block start, the block is the
%   longest prefix with the largest mean, summed afresh from the start; the search stops at
%   the first start from which no prefix has a positive mean. Every block rescans the rest of
%   the sequence, so the cost grows as n times the number of blocks: quadratic in n when the
%   fit has many blocks, as for a strictly decreasing positive sequence (n = 1e5 takes
%   seconds). chainAscend computes the same fit in linear time; the two may differ in the
%   last bits.
%
%   Inputs
%     v   real double vector (or array, read in column order) of at least n finite values
%     n   length of the sequence, a nonnegative integer (truncated toward zero)
%
%   Outputs
%     x   n-by-1 fitted values (0-by-1 when n = 0)
%
%   Errors (identifier chainDescend:<reason>)
%     inputCount, outputCount, notRealDouble, notScalar, tooFewElements
%     negativeSize    n < 0
%     notFinite       v holds NaN or Inf
%     overflow        sum(abs(v(1:n))) exceeds the double range
%     outOfMemory     no memory for the block table (after printing
%                     "Allocation of array failure!")
%     interrupted     Ctrl-C in Octave stopped the call (MATLAB documents no way for
%                     a module to see Ctrl-C: there the call runs to its end)
%
%   Example
%     x = chainDescend([1; 2; 3], 3)     % x = [2; 2; 2]
%     x = chainDescend([-1; -2], 2)      % x = [0; 0]
%
%   See also CHAINASCEND.

% Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
error('chainDescend:notBuilt', 'chainDescend is not built: run build_modules');
