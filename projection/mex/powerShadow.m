%POWERSHADOW Proximal operator of the Lp norm (the norm shadow), for any p >= 1.
%   [x, c, steps] = powerShadow(v, n, rho, p, c0)
%
%   Returns the minimiser x of 0.5*norm(x - v)^2 + rho*norm(x, p) for the first n elements
%   of v. p = 1 soft-thresholds each element by rho; p = 2 shrinks v toward zero by rho;
%   p >= 1e6 is the infinity norm, computed as v minus its projection onto the L1 ball of
%   radius rho; every other p is solved by bisection on the multiplier c of the optimality
%   conditions x_i + c*x_i^(p-1) = abs(v_i), c = rho*norm(x, p)^(1-p). x has the signs of v,
%   and the zeros of v stay zero.
%
%   Inputs
%     v        real double vector (or array, read in column order) with at least n elements;
%              never changed
%     n        number of elements, a nonnegative integer (truncated toward zero)
%     rho      weight, rho >= 0
%     p        exponent of the norm, p >= 1
%     c0       starting guess of the threshold for the infinity norm (c from a previous call
%              on a similar vector); ignored for every other p. Pass 0 for none.
%
%   Outputs
%     x        n-by-1 norm shadow of v(1:n)
%     c        the multiplier: 0 for p = 1 and p = 2, the L1-ball threshold for the infinity
%              norm, the c of the bisection otherwise (0 when x = 0)
%     steps    iterations: 0 for p = 1 and p = 2, the L1-ball search's iterations for the
%              infinity norm, the bisection steps otherwise
%
%   For large p and vectors whose smallest nonzero magnitude is tiny next to the largest, the
%   bisection cannot form its bracket and the infinity norm is used instead. When an
%   iteration limit is reached, a message is printed and the last iterate is returned.
%
%   Errors (identifier powerShadow:<reason>)
%     inputCount, outputCount, notRealDouble, notScalar, negativeSize, tooFewElements
%     negativeWeight   rho < 0 (after printing "rho should be non-negative!")
%     invalidExponent  p < 1 or p is NaN
%     notFinite        rho is NaN; or, for p other than 1 and 2, v holds NaN or Inf
%     overflow         for p other than 1 and 2, sum(abs(v)) exceeds the double range
%
%   Example
%     x = powerShadow([3; -4], 2, 2.5, 2, 0)       % x = [1.5; -2]: the norm 5 shrinks to 2.5
%     [x, c] = powerShadow([3; -1; 0.5], 3, 2, Inf, 0)   % x = [1; -1; 0.5], c = 1
%
%   See also POWERSHADOWVECTOR, POWERSHADOWMATRIX, SIMPLEXSHADOW.
error('powerShadow:notBuilt', 'powerShadow is not built: run build_modules');
