function restore = enter_scratch_folder(folder)
%ENTER_SCRATCH_FOLDER Empty folder (making it if need be) and go into it, as a user running
%   something from a folder of their own. The returned object, once cleared (at the latest
%   when the caller returns), goes back and restores the path and the warning states.

% Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
  if exist(folder, 'dir')
    confirm_recursive_rmdir(false, 'local');
    rmdir(folder, 's');
  end
  mkdir(folder);
  restore = onCleanup(@() restore_session(pwd(), path(), warning()));
  cd(folder);
end

function restore_session(folder, searchPath, warnings)
  cd(folder);
  path(searchPath);
  warning(warnings);
end
