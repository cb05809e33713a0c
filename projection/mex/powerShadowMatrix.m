function X = powerShadowMatrix(V, m, n, rho, p)
%POWERSHADOWMATRIX Lp-norm proximal operator of every row of a matrix.
%   X = powerShadowMatrix(V, m, n, rho, p)
%
%   Row i of X is the minimiser of 0.5*norm(x - V(i,:))^2 + rho*norm(x, p), computed by
%   POWERSHADOW row after row. For the infinity norm (p >= 1e6) each row starts its threshold
%   search from the previous row's threshold.
%
%   Inputs
%     V      real double m-by-n matrix (or any array with at least m*n elements, read as
%            m-by-n in column order)
%     m, n   numbers of rows and columns, nonnegative integers
%     rho    weight, rho >= 0
%     p      exponent of the norm, p >= 1
%
%   Outputs
%     X      m-by-n result
%
%   Rows run on up to SPARSEMEX_THREADS threads (default: every core), with the same results.
%
%   Errors (identifier powerShadowMatrix:<reason>)
%     inputCount, outputCount, notRealDouble, notScalar, negativeSize, tooFewElements
%     negativeWeight   rho < 0 (after printing "rho should be non-negative!")
%     invalidExponent  p < 1 or p is NaN
%     notFinite        rho is NaN; or, for p other than 1 and 2, V holds NaN or Inf
%     overflow         for p other than 1 and 2, the sum of the magnitudes of a row exceeds
%                      the double range
%     interrupted      Ctrl-C in Octave stopped the call (MATLAB documents no way for
%                      a module to see Ctrl-C: there the call runs to its end)
%
%   Example
%     X = powerShadowMatrix([3, 4; 0.6, 0.8], 2, 2, 2.5, 2)   % X = [1.5, 2; 0, 0]
%
%   See also POWERSHADOW, POWERSHADOWVECTOR, MIXEDSHADOW.

% Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
error('powerShadowMatrix:notBuilt', 'powerShadowMatrix is not built: run build_modules');
