% Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
% precisionLasso as a user calls it from Octave: results written into X and W.

%!function S = sample_covariance(n, seed)
%!  % Covariance of 3n draws from a chain graph: each variable depends on the one before.
%!  randn('seed', seed);
%!  Z = randn(3 * n, n);
%!  D = Z;
%!  for k = 2:n
%!    D(:, k) = 0.6 * D(:, k - 1) + Z(:, k);
%!  end
%!  S = cov(D);
%!endfunction

%!function [X, W, printed] = estimate(S, lambda)
%!  n = rows(S);
%!  X = zeros(n);
%!  W = zeros(n);
%!  printed = evalc('precisionLasso(X, W, S, lambda, 0, n, 1000, -1, 1e-13, 500, 1e-12)');
%!endfunction

%!function check_optimality(S, X, W, lambda)
%!  % Optimality of the penalised likelihood: W = inv(X), W - S = lambda*sign(X) on the
%!  % support, |W - S| <= lambda off it, W_ii = S_ii + lambda. The estimates stop at changes
%!  % of 1e-13 (each lasso) and 1e-12 (the outer loop) on entries of order 1, far below
%!  % 1e-9; the product W*X adds rounding of order n*eps, whatever the BLAS.
%!  n = rows(S);
%!  offDiagonal = ~eye(n);
%!  assert(W, W', 0);
%!  assert(W * X, eye(n), 1e-9);
%!  assert(diag(W), diag(S) + lambda, 1e-12);
%!  support = offDiagonal & X ~= 0;
%!  assert(W(support) - S(support), lambda * sign(X(support)), 1e-9);
%!  assert(all(abs(W(offDiagonal & X == 0) - S(offDiagonal & X == 0)) <= lambda + 1e-9));
%!endfunction

%!test
%! % The variables passed as X and W hold the results afterwards.
%! S = sample_covariance(8, 1);
%! [X, W, printed] = estimate(S, 0.1);
%! check_optimality(S, X, W, 0.1);
%! assert(any(X(~eye(8)) == 0));
%! assert(strncmp(printed, sprintf('\n Outer Loop: 0, gap '), 20));

%!test
%! % warning('off', 'precisionLasso:progress') silences the outer-loop lines, nothing else.
%! S = sample_covariance(8, 1);
%! [X1, W1, printed] = estimate(S, 0.1);
%! state = warning('query', 'precisionLasso:progress');
%! warning('off', 'precisionLasso:progress');
%! unwind_protect
%!   [X2, W2, silenced] = estimate(S, 0.1);
%! unwind_protect_cleanup
%!   warning(state);
%! end_unwind_protect
%! [~, ~, again] = estimate(S, 0.1);
%! assert(silenced, '');
%! assert(again, printed);
%! assert(isequal(X1, X2) && isequal(W1, W2));

%!test
%! % With no penalty the estimate is the inverse of S itself.
%! S = sample_covariance(6, 2);
%! [X, W] = estimate(S, 0);
%! assert(X, inv(S), 1e-9 * norm(inv(S)));
%! assert(W, S, 1e-12);

%!test
%! % The returned copies hold what was written into X and W.
%! S = sample_covariance(7, 3);
%! X = zeros(7);
%! W = zeros(7);
%! evalc('[X2, W2] = precisionLasso(X, W, S, 0.05, 0, 7, 1000, -1, 1e-13, 500, 1e-12);');
%! assert(isequal(X2, X) && isequal(W2, W));
%! check_optimality(S, X2, W2, 0.05);
%! [X3, W3] = estimate(S, 0.05);
%! assert(isequal(X3, X2) && isequal(W3, W2));

%!test
%! % Octave shares one array between variables until one of them changes: after X0 = X,
%! % writing into X's data shows in X0 too. The returned copies are unaffected by this.
%! S = sample_covariance(5, 4);
%! X = zeros(5);
%! X0 = X;
%! W = zeros(5);
%! evalc('Xout = precisionLasso(X, W, S, 0.1, 0, 5, 1000, -1, 1e-13, 500, 1e-12);');
%! assert(isequal(X0, X) && isequal(Xout, X) && any(X(:) ~= 0));

%!test
%! % A diagonal matrix such as eye(n) (or a range) reaches the module as a temporary full
%! % copy: what is written into it is lost, and only the returned copy holds the result.
%! S = sample_covariance(4, 7);
%! X = eye(4);
%! W = zeros(4);
%! evalc('Xout = precisionLasso(X, W, S, 0.1, 0, 4, 1000, -1, 1e-13, 500, 1e-12);');
%! assert(isequal(X, eye(4)));
%! check_optimality(S, Xout, W, 0.1);

%!test
%! % Arrays that share their data are refused before anything is written.
%! S = sample_covariance(4, 6);
%! X = zeros(4);
%! W = X;
%! try
%!   precisionLasso(X, W, S, 0.1, 0, 4, 100, -1, 1e-13, 50, 1e-12);
%!   error('not refused');
%! catch err
%!   assert(err.identifier, 'precisionLasso:sharedData');
%! end
%! assert(X, zeros(4));

%!error <expects 11 inputs> precisionLasso(zeros(2), zeros(2), eye(2), 0.1)
%!error id=precisionLasso:outputCount [a, b, c] = precisionLasso(zeros(2), zeros(2), eye(2), 0.1, 0, 2, 10, 0, 0, 5, 0)
%!error id=precisionLasso:notRealDouble precisionLasso(single(zeros(2)), zeros(2), eye(2), 0.1, 0, 2, 10, 0, 0, 5, 0)
%!error id=precisionLasso:tooFewElements precisionLasso(zeros(2), zeros(2), eye(2), 0.1, 0, 3, 10, 0, 0, 5, 0)
%!error id=precisionLasso:negativeSize precisionLasso(zeros(2), zeros(2), eye(2), 0.1, 0, -2, 10, 0, 0, 5, 0)
%!error id=precisionLasso:notFinite precisionLasso(zeros(2), zeros(2), [1 NaN; NaN 1], 0.1, 0, 2, 10, 0, 0, 5, 0)
%!error id=precisionLasso:negativePenalty precisionLasso(zeros(2), zeros(2), eye(2), -0.1, 0, 2, 10, 0, 0, 5, 0)
%!error id=precisionLasso:sharedData S = [1 0; 0 1]; precisionLasso(zeros(2), S, S, 0.1, 0, 2, 10, 0, 0, 5, 0)
%!error id=precisionLasso:notSymmetric precisionLasso(zeros(2), zeros(2), [1 0.5; 0.4 1], 0.1, 0, 2, 10, 0, 0, 5, 0)
