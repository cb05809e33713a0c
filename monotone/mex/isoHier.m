function x = isoHier(fileName, v, rootNumber, n)
%ISOHIER Nonnegative isotonic (monotone) fit of a vector over a tree read from a description file.
%   x = isoHier(fileName, v, rootNumber, n)
%
%   Fits v(1:n) to the order of the tree that the file describes below node rootNumber: x is
%   constant on blocks of connected nodes, takes on each block the mean of v over the block,
%   or 0 where that mean would be negative, and never increases from a node to its children.
%   Over a tree this is the least-squares fit: x minimises sum((x - v).^2) subject to
%   x(parent) >= x(child) on every edge and x >= 0. The fit pools blocks from the leaves up;
%   a parent and a child of equal means are pooled.
%
%   The description file
%     A text file of whole numbers separated by blanks, tabs or line breaks, read as records:
%     a node number k in 1..n, a child count d and, when d > 0, d child numbers in 1..n.
%     The usual layout is one record per line. A record with d <= 0 changes nothing, a later
%     record of the same node replaces its children, and nodes without a record are leaves.
%     The file names no root: only the nodes reachable from rootNumber take part, and none
%     of them may be reachable from itself. A node listed under several parents is fitted
%     once per listing, each time as its own copy with its own copy of its subtree; x then
%     holds the value of the copy read out last (parents before children, children in the
%     reverse of the listed order).
%
%     Example, n = 5: node 1 is the parent of nodes 2 and 3, node 2 of nodes 4 and 5.
%       1 2 2 3
%       2 2 4 5
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
%   Errors (identifier isoHier:<reason>)
%     inputCount, outputCount, notRealDouble, notScalar, negativeSize, tooFewElements,
%     notString
%     notFinite         v(1:n) holds NaN or Inf
%     unreadableFile    the file cannot be opened or read
%     notRegularFile    the path names a pipe (FIFO) or a device, not a file
%     incompleteRecord  a record does not start with two whole numbers (node number, count)
%     nodeOutOfRange    a node or child number lies outside 1..n
%     missingChildren   fewer whole numbers follow a record's child count than it says
%     rootOutOfRange    rootNumber lies outside 1..n (checked after the file)
%     cyclicTree        a node below the root is reachable from itself
%     treeTooLarge      the copies of nodes listed under several parents would make more
%                       than 64*n + 1024 blocks
%     overflow          a pooled mean overflows the double range
%     outOfMemory       the tree does not fit in memory
%     interrupted       Ctrl-C in Octave stopped the call (MATLAB documents no way for
%                       a module to see Ctrl-C: there the call runs to its end)
%   The file and root errors are preceded by a message in the command window.
%
%   Example
%     file = [tempname() '.txt'];
%     fid = fopen(file, 'w');
%     fprintf(fid, '1 2 2 3\n2 2 4 5\n');
%     fclose(fid);
%     x = isoHier(file, [1; 3; 0; 2; -1], 1, 5)   % x = [2; 2; 0; 2; 0]
%     delete(file);
%
%   See also ISOHIER_WITHOUT_NONNEGATIVE, ISOHIERBINARY, ISOHIERDEPTH1.

% Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
error('isoHier:notBuilt', 'isoHier is not built: run build_modules');
