# Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
"""sparsemex on Dask arrays: the row-wise operators block by block, on any scheduler.

Each function has the name and arguments of the in-memory one, takes a ``dask.array.Array``
with one task per row (axis 0) and returns lazy Dask arrays: nothing runs before
``compute``, and the result has the in-memory bits for any chunking of the rows. A task
needs all the columns of its rows: a matrix chunked along its columns is first rechunked.

Arguments are checked at call time, as in memory (``sparsemex.Error``, before any task
runs); a bad value met by a task (a NaN in a block) raises the in-memory error, with its
identifier, naming the block's rows. Trees and every argument travel with the tasks (in
the one callable that the tasks of a call share, pickled once), so a ``dask.distributed``
worker needs only the installed package.

Block by block
    tree_prox_rows, prox_lp_rows, project_cone_rows, prox_sparse_group_rows
A value per block, then the largest
    tree_critical_weight_rows
Norms per block, one threshold from all of them, then shrinking per block
    project_l12_ball
"""
from .l12 import project_l12_ball
from .rows import (project_cone_rows, prox_lp_rows, prox_sparse_group_rows,
                   tree_critical_weight_rows, tree_prox_rows)

__all__ = ["tree_prox_rows", "prox_lp_rows", "project_cone_rows", "prox_sparse_group_rows",
           "tree_critical_weight_rows", "project_l12_ball"]
