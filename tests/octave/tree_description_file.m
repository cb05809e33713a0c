function file = tree_description_file(text)
%TREE_DESCRIPTION_FILE Write a tree description to a new temporary file; return its path.
%   text is either the file's text or a cell array whose k-th cell lists the children of
%   node k (one line "k d children..." per node with children).

% Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
  if iscell(text)
    lines = '';
    for k = 1:numel(text)
      if ~isempty(text{k})
        record = [sprintf('%d %d', k, numel(text{k})), sprintf(' %d', text{k}), "\n"];
        lines = [lines, record]; %#ok<AGROW>
      end
    end
    text = lines;
  end
  file = [tempname() '.txt'];
  fid = fopen(file, 'w');
  fprintf(fid, '%s', text);
  fclose(fid);
end
