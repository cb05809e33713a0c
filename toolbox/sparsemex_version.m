function version = sparsemex_version()
%SPARSEMEX_VERSION Version of the sparsemex modules, as a string.
%   version = sparsemex_version() returns the release of the modules on the path, for
%   instance '1.0.0' (major.minor.patch). Quote it in bug reports.
%
%   See also CONTENTS.

% Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
version = '1.0.0';
