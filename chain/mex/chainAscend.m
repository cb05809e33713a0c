function x = chainAscend(v, n)
%CHAINASCEND Nonnegative non-increasing isotonic fit of a sequence, pooled from the end.
%   x = chainAscend(v, n)
%
%   Fits v(1:n) by a sequence x with x(1) >= x(2) >= ... >= x(n) >= 0 that is constant on
%   blocks of consecutive positions: each block carries the mean of its values, and every
%   block whose mean is not positive is 0. This is the least-squares fit of v under those
%   constraints (the non-increasing fit, clipped at 0).
%
%   The fit is found by one sweep from the last position to the first: a value above the
%   mean of the block after it starts a block of its own, any other value joins that block,
%   and the grown block absorbs the following blocks while their means are at least its own
%   (equal means merge). The cost is linear in n. chainDescend computes the same fit by the
%   opposite sweep; the two may differ in the last bits.
%
%   Inputs
%     v   real double vector (or array, read in column order) of at least n finite values
%     n   length of the sequence, a positive integer (truncated toward zero)
%
%   Outputs
%     x   n-by-1 fitted values
%
%   Errors (identifier chainAscend:<reason>)
%     inputCount, outputCount, notRealDouble, notScalar, tooFewElements
%     negativeSize        n < 0
%     nonPositiveLength   n = 0 (after printing "n=0 should be an integer over 1!")
%     notFinite           v holds NaN or Inf
%     overflow            sum(abs(v(1:n))) exceeds the double range
%     outOfMemory         no memory for the block table (after printing
%                         "Allocation of array failure!")
%     interrupted         Ctrl-C in Octave stopped the call (MATLAB documents no way for
%                         a module to see Ctrl-C: there the call runs to its end)
%
%   Example
%     x = chainAscend([3; 1; 2], 3)      % x = [3; 1.5; 1.5]
%     x = chainAscend([2; -1; -3], 3)    % x = [2; 0; 0]
%
%   See also CHAINDESCEND.

% Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
error('chainAscend:notBuilt', 'chainAscend is not built: run build_modules');
