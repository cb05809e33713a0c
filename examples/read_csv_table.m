function [columns, rows, values] = read_csv_table(file, hasRowNames)
%READ_CSV_TABLE Read a numeric CSV table with a header line.
%   [columns, rows, values] = read_csv_table(file, hasRowNames)
%   columns: the names of the numeric columns; rows: the row names (the first column, when
%   hasRowNames is true, else empty); values: the numbers, one row per line.

% Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
  fid = fopen(file, 'r');
  if fid < 0
    error('read_csv_table:open', 'cannot open %s', file);
  end
  closer = onCleanup(@() fclose(fid));
  header = strrep(strsplit(fgetl(fid), ','), '"', '');
  first = 1 + hasRowNames;
  columns = header(first:end);
  rows = {};
  values = zeros(0, numel(columns));
  line = fgetl(fid);
  while ischar(line)
    if ~isempty(strtrim(line))
      fields = strsplit(line, ',');
      if hasRowNames
        rows{end + 1, 1} = strrep(fields{1}, '"', ''); %#ok<AGROW>
      end
      values(end + 1, :) = str2double(fields(first:end)); %#ok<AGROW>
    end
    line = fgetl(fid);
  end
end
