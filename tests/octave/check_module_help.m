function check_module_help(modules)
%CHECK_MODULE_HELP Check that help shows every module's help file where the modules are
%   installed: the first one on the path is the compiled module, and its help text starts
%   with the summary line, not with the licence line below it. Octave shows a compiled
%   module's help only from the .m file beside it, so a module and its help file apart
%   fail here.

% Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
  for k = 1:numel(modules)
    name = modules{k};
    assert(exist(name) == 3, '%s is not a compiled module here', name);
    text = help(name);
    assert(strncmpi(strtrim(text), name, numel(name)), '%s: %s', name, text);
    assert(isempty(strfind(text, 'Copyright')), name);
  end
end
