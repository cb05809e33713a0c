# Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
"""sparsemex: proximal operators and projections for sparse learning models.

Exact, fast C++ cores (the same as the MATLAB and Octave modules), called on NumPy arrays
with the GIL released. Sizes come from the arrays; a matrix holds one row per task on axis
0, in either memory order; results are new arrays, several of them a named tuple. Every
function takes ``threads=`` (default: ``SPARSEMEX_THREADS`` or the core count), with the
same bits for every count.

Projections and Lp proximal operators
    project_l1_ball, prox_lp, prox_lp_groups, prox_lp_rows, project_l12_ball,
    prox_sparse_group_rows
Cone projections
    project_cone, project_cone_rows, project_cone_groups
Tree-structured group penalties
    Tree, tree_prox, tree_prox_rows, tree_penalty, tree_group_ratio,
    tree_critical_weight, tree_critical_weight_rows
Monotone fits
    isotonic_tree, isotonic_tree_file, isotonic_heap, isotonic_star, isotonic_chain
Sparse inverse covariance
    graphical_lasso
MATLAB signatures
    sparsemex.mex: the 27 modules under their own names, for porting MATLAB code
Errors and warnings
    Error (a ValueError with .identifier "<module>:<reason>"), Warning; an allocation
    failure raises MemoryError, Ctrl-C KeyboardInterrupt.
"""
from . import mex
from ._errors import Error, Warning
from .cones import ConeProjection, project_cone, project_cone_groups, project_cone_rows
from .monotone import (isotonic_chain, isotonic_heap, isotonic_star, isotonic_tree,
                       isotonic_tree_file)
from .precision import GraphicalLasso, graphical_lasso
from .projections import (L1Projection, L12Projection, LpProx, SparseGroupProx,
                          project_l1_ball, project_l12_ball, prox_lp, prox_lp_groups,
                          prox_lp_rows, prox_sparse_group_rows)
from .trees import (Tree, tree_critical_weight, tree_critical_weight_rows, tree_group_ratio,
                    tree_penalty, tree_prox, tree_prox_rows)
from ._version import __version__

__all__ = [
    "project_l1_ball", "prox_lp", "prox_lp_groups", "prox_lp_rows", "project_l12_ball",
    "prox_sparse_group_rows", "project_cone", "project_cone_rows", "project_cone_groups",
    "Tree", "tree_prox", "tree_prox_rows", "tree_penalty", "tree_group_ratio",
    "tree_critical_weight", "tree_critical_weight_rows", "isotonic_tree", "isotonic_tree_file",
    "isotonic_heap", "isotonic_star", "isotonic_chain", "graphical_lasso", "Error", "Warning",
    "mex", "L1Projection", "LpProx", "L12Projection", "SparseGroupProx", "ConeProjection",
    "GraphicalLasso", "__version__",
]
