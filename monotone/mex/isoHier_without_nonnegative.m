function x = isoHier_without_nonnegative(fileName, v, rootNumber, n)
%ISOHIER_WITHOUT_NONNEGATIVE Isotonic fit of a vector over a tree read from a description file.
%   x = isoHier_without_nonnegative(fileName, v, rootNumber, n)
%
%   Fits v(1:n) to the order of the tree that the file describes below node rootNumber: x is
%   constant on blocks of connected nodes, takes on each block the mean of v over the block,
%   and never increases from a node to its children. Over a tree this is the least-squares
%   fit: x minimises sum((x - v).^2) subject to x(parent) >= x(child) on every edge. Unlike
%   isoHier, negative values are kept.
%
%   The description file is that of isoHier (see help isoHier): records of a node number, a
%   child count and the child numbers, for example, with n = 5,
%       1 2 2 3
%       2 2 4 5
%   makes node 1 the parent of nodes 2 and 3 and node 2 the parent of nodes 4 and 5.
%
%   Inputs
%     fileName    path of the description file, a character row vector
%     v           real double vector (or array, read in column order) with at least n
%                 elements, all finite
%     rootNumber  the root, a node number in 1..n
%     n           number of nodes, a nonnegative integer (truncated toward zero)
%
%   Outputs
%     x           n-by-1 fit; entries of nodes not reachable from the root are 0
%
%   Errors (identifier isoHier_without_nonnegative:<reason>)
%     The same as those of isoHier: inputCount, outputCount, notRealDouble, notScalar,
%     negativeSize, tooFewElements, notString, notFinite, unreadableFile, notRegularFile,
%     incompleteRecord, nodeOutOfRange, missingChildren, rootOutOfRange, cyclicTree,
%     treeTooLarge, overflow, outOfMemory, and interrupted: Ctrl-C in Octave stopped the call
%     (MATLAB documents no way for a module to see Ctrl-C: there the call runs to its end).
%
%   Example
%     file = [tempname() '.txt'];
%     fid = fopen(file, 'w');
%     fprintf(fid, '1 2 2 3\n2 2 4 5\n');
%     fclose(fid);
%     x = isoHier_without_nonnegative(file, [1; 3; 0; 2; -1], 1, 5)   % x = [2; 2; 0; 2; -1]
%     delete(file);
%
%   See also ISOHIER, ISOHIERBINARY, ISOHIERDEPTH1.

% Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
error('isoHier_without_nonnegative:notBuilt', ...
      'isoHier_without_nonnegative is not built: run build_modules');
