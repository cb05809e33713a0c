function [x, root, steps] = simplexShadow(v, n, z, lambda0)
%SIMPLEXSHADOW Euclidean projection onto the L1 ball, with its threshold.
%   [x, root, steps] = simplexShadow(v, n, z, lambda0)
%
%   Projects the first n elements of v onto the ball {x : sum(abs(x)) <= z}. The result has
%   the form x = sign(v) .* max(abs(v) - root, 0): root is the threshold (0 when v already
%   lies in the ball). The search needs no sorting; its cost is linear in n on average. Its
%   tolerances are relative to the scale of v, so the answer does not depend on the units.
%
%   Inputs
%     v        real double vector (or array, read in column order) with at least n elements
%     n        number of elements to project, a nonnegative integer (truncated toward zero)
%     z        radius of the ball, z >= 0
%     lambda0  starting guess of the threshold, for instance root from a previous call on a
%              similar vector; used only when 0 < lambda0 < max(abs(v(1:n))), so pass 0 for
%              none. A good guess saves iterations; the result is the same projection.
%
%   Outputs
%     x        n-by-1 projection of v(1:n)
%     root     the threshold
%     steps    number of iterations of the search (0 when v lies in the ball or the guess
%              was exact)
%
%   Errors (identifier simplexShadow:<reason>)
%     inputCount, outputCount, notRealDouble, notScalar, negativeSize, tooFewElements
%     notFinite       v holds NaN or Inf, or z is NaN
%     overflow        sum(abs(v)) exceeds the double range
%     negativeRadius  z < 0 (after printing "z should be nonnegative!")
%     interrupted     Ctrl-C in Octave stopped the call (MATLAB documents no way for
%                     a module to see Ctrl-C: there the call runs to its end)
%
%   Example
%     v = [3; -1; 0.5];
%     [x, root] = simplexShadow(v, numel(v), 2, 0)   % x = [2; 0; 0], root = 1
%
%   See also POWERSHADOW, MIXEDSHADOW, TWOLEVELSHADOW.

% Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
error('simplexShadow:notBuilt', 'simplexShadow is not built: run build_modules');
