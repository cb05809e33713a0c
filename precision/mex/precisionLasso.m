function [X, W] = precisionLasso(X, W, S, lambda, spare, n, maxIter, tolFun, tolX, ...
                                maxOuter, tolOuter)
%PRECISIONLASSO Sparse inverse covariance by block coordinate descent, written in place.
%   precisionLasso(X, W, S, lambda, spare, n, maxIter, tolFun, tolX, maxOuter, tolOuter)
%   [X, W] = precisionLasso(X, W, S, lambda, spare, n, maxIter, tolFun, tolX, maxOuter, tolOuter)
%
%   Estimates, from the n-by-n sample covariance S, a covariance W and its sparse inverse X
%   that maximize  log(det(X)) - trace(S*X) - lambda * sum(abs(X(:))).  W starts as S with
%   lambda added to its diagonal; each outer iteration solves, for every column j in turn, a
%   lasso problem by cyclic coordinate descent and writes its result into row and column j
%   of W. Outer iterations stop when W changed by at most tolOuter in all (the sum of the
%   absolute changes of its elements), or at the latest after maxOuter of them; one last
%   iteration then writes the inverse into X. Each outer iteration but the last prints
%   "Outer Loop: <iteration>, gap <change of W>"; warning('off', 'precisionLasso:progress')
%   turns these lines off (and warning('on', 'precisionLasso:progress') back on).
%
%   The results are written into the data of the arrays passed as X and W, whatever they
%   held (their first n*n elements, as n-by-n matrices in column order). With outputs
%   requested, copies of them are also returned as new n-by-n arrays: the portable way to
%   read the results.
%
%   What the caller sees of the writing in place (checked with Octave 7):
%   - A full double matrix held in a variable, such as X = zeros(n), holds the result
%     afterwards.
%   - So does every other variable that shares its data: Octave copies an array only when
%     one of its holders changes it, so after X0 = X, X0 receives the result too; and a
%     constant written in a function's code (X = 0 when n = 1, say) would be changed for
%     later calls of that function.
%   - A diagonal matrix (eye(n)) or a range (0:n-1) is handed to the module as a temporary
%     full copy, so what is written into it is lost.
%   Pass X and W made by zeros(n) just before the call and held by no other variable, or
%   read the returned copies. MATLAB also shares arrays between variables; this behaviour
%   has not been checked with MATLAB. Arrays that share their data with each other (W = X,
%   or X = S) are refused before anything is written.
%
%   Inputs
%     X         real double array of at least n*n elements: receives the inverse estimate
%     W         real double array of at least n*n elements: receives the covariance estimate
%     S         real double array of at least n*n finite elements: the sample covariance,
%               exactly symmetric (both triangles are read); only read
%     lambda    the penalty, finite and >= 0; also added to the diagonal of W
%     spare     not used (any real double scalar, for instance 0)
%     n         the number of variables, a nonnegative integer (truncated toward zero)
%     maxIter   the largest number of coordinate-descent sweeps per column (truncated)
%     tolFun    a column's sweeps stop when its objective changed by at most tolFun ...
%     tolX      ... or its coefficients by at most tolX in all. The objective stops changing
%               in double precision while coefficients still move by about 1e-8 of their
%               size: for a precise estimate pass tolFun = -1 (never) and a small tolX.
%     maxOuter  the largest outer iteration index (truncated): at most maxOuter + 1 outer
%               iterations run. With maxOuter < 0 none runs (X = 0, W = S + lambda*I); with
%               maxOuter = 0 one runs and X holds the lasso coefficients, not the inverse.
%     tolOuter  the outer iterations stop when the summed change of W is at most tolOuter
%
%   Outputs (optional)
%     X         n-by-n copy of the inverse covariance estimate
%     W         n-by-n copy of the covariance estimate
%
%   A call runs at most (maxOuter + 1) * n * maxIter sweeps. Ctrl-C stops it in Octave
%   (error interrupted); MATLAB documents no way for a module to see Ctrl-C, so there it runs
%   to its end: keep the limits reasonable.
%
%   Errors (identifier precisionLasso:<reason>)
%     inputCount, outputCount, notRealDouble, notScalar, negativeSize, tooFewElements
%     notFinite        S or lambda holds NaN or Inf
%     notSymmetric     S(i,j) differs from S(j,i) for some i and j ((S + S')/2 is symmetric)
%     negativePenalty  lambda < 0
%     sharedData       two of X, W and S share their data
%     outOfMemory      no memory for the work (after printing "Memory allocation failure!")
%     notInvertible    the estimate is not finite: S + lambda*I cannot be inverted
%     interrupted      Ctrl-C in Octave stopped the call (MATLAB documents no way for
%                      a module to see Ctrl-C: there the call runs to its end)
%   On every error X and W keep what they held.
%
%   Example: which of five variables depend on each other
%     Z = randn(1000, 5);
%     D = [Z(:, 1), Z(:, 1) + Z(:, 2), Z(:, 2) + Z(:, 3), Z(:, 4), Z(:, 4) + Z(:, 5)];
%     S = cov(D);
%     n = size(S, 1);
%     [X, W] = precisionLasso(zeros(n), zeros(n), S, 0.2, 0, n, 1000, -1, 1e-12, ...
%                             100, 1e-10);
%     X ~= 0     % two groups: variables 1 to 3, and 4 with 5
%
%   See also COV, INV.

% Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
error('precisionLasso:notBuilt', 'precisionLasso is not built: run build_modules');
