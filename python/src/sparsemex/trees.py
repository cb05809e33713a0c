# Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
"""Tree-structured group penalties: groups of entries arranged as a tree, each weighted."""
from typing import Optional, Tuple

import numpy as np
from numpy.typing import ArrayLike

from . import _core
from ._arrays import matrix, threads_of, vector
from ._call import Call, new_matrix, run
from .mex.trees import ORDERED_MODULES, order_check

_UNBOUNDED = 2147483647


class Tree:
    """The groups of a tree-structured penalty, checked once when made.

    ``penalty(x) = l1_weight * ||x||_1 + sum_k weights[k] * ||x[group k]||_2``, where the
    groups are nested or disjoint (a tree) and listed from the leaves up: a group listed
    before a group nested inside it serves :func:`tree_penalty` and :func:`tree_group_ratio`,
    but the proximal operator and the critical weights refuse it (``nodeOrder``), as their
    results depend on the order.

    Parameters
    ----------
    nodes : array_like, shape (k, 3)
        One row ``(start, stop, weight)`` per group, 0-based: the group is
        ``x[start:stop]``, or with an index list, ``x[index_list[start:stop]]``.
    l1_weight : float, optional
        The weight of an L1 term on every entry (applied first), or None for none.
    index_list : array_like of int, optional
        0-based positions that the groups slice.

    Raises
    ------
    sparsemex.Error
        With the identifiers of the module ``treeprox`` (``general_treeprox`` with an index
        list): ``nodeOutOfRange`` (a start below 0), ``sliceOutOfRange``,
        ``positionOutOfRange``, ``notFinite`` (a NaN weight).

    Examples
    --------
    >>> import numpy as np, sparsemex
    >>> tree = sparsemex.Tree([(0, 2, 1.0), (0, 3, 0.5)])
    >>> tree
    Tree(2 groups over 3 entries)
    """

    def __init__(self, nodes: ArrayLike, l1_weight: Optional[float] = None,
                 index_list: Optional[ArrayLike] = None) -> None:
        table = np.asarray(nodes, dtype=np.float64).reshape(-1, 3)
        rows = [table]
        if l1_weight is not None:
            rows.insert(0, np.array([[-1.0, -1.0, float(l1_weight)]]))
        ind = np.concatenate(rows)
        ind[len(rows) - 1:, 0] += 1.0  # 1-based starts, as the routines read them
        G = None
        if index_list is not None:
            G = vector("general_treeprox", "index_list", index_list) + 1.0
        self._init(np.asfortranarray(ind.T), G)

    @classmethod
    def from_matlab(cls, ind: ArrayLike, G: Optional[ArrayLike] = None) -> "Tree":
        """A tree from a node table written for MATLAB.

        Parameters
        ----------
        ind : array_like, shape (3, k)
            Columns ``[start; end; weight]``, 1-based inclusive; ``[-1; -1; w]`` first for
            an L1 term.
        G : array_like, optional
            The 1-based index list of the ``general_`` modules.

        Examples
        --------
        >>> import numpy as np, sparsemex
        >>> sparsemex.Tree.from_matlab(np.array([[1, 3], [2, 3], [1.0, 0.5]])).length
        3
        """
        tree = cls.__new__(cls)
        ind = np.asfortranarray(np.asarray(ind, dtype=np.float64).reshape(3, -1, order="F"))
        G = None if G is None else vector("general_treeprox", "G", G)
        tree._init(ind, G)
        return tree

    def _init(self, ind, G):
        self.general = G is not None
        self._G = G
        self._nodes = ind.shape[1]
        # The routines read node 0 for their L1 test even without nodes: an empty group.
        self._ind = ind if self._nodes else np.zeros((3, 1), order="F")
        module = "general_treeprox" if self.general else "treeprox"
        call = Call(module, ())
        self.length = self._check(call, _UNBOUNDED, "positions", "v")
        nan = np.flatnonzero(np.isnan(ind[2]))
        if nan.size:
            call.fail("notFinite", "the weight ind(3, %d) must not be NaN" % (nan[0] + 1))
        if self._nodes and int(ind[0, 0]) == -1 and int(ind[1, 0]) != -1:
            call.fail("badL1Node", "ind(:,1) starts at -1, which makes it the L1 node, but ends "
                      "at %d; the L1 node is [-1; -1; w]" % int(ind[1, 0]))
        # Whether every group comes after the groups nested inside it, which the proximal
        # operator and the critical weight need (the penalty and the ratio do not).
        routine, args = order_check(self._ind, self._nodes, self._G, self.length,
                                    "positions", "v")
        self._in_order = getattr(_core, routine)(args, 1)[0] is None

    def require_order(self, module, count, unit, name):
        """Fails as the module fails if a group comes before a group nested inside it."""
        if not self._in_order:
            routine, args = order_check(self._ind, self._nodes, self._G, count, unit, name)
            Call(module, ()).run(routine, *args)

    def _check(self, call, length, unit, name):
        """Checks the table against `length` entries; the entries the groups need."""
        if self.general:
            call.run("checkNodeSlices", self._ind, self._nodes, True, self._G, self._G.size,
                     length, unit, name)
        else:
            call.run("checkNodeRanges", self._ind, self._nodes, True, length, unit, name)
        need = 0
        for k in range(self._nodes):
            first, end = int(self._ind[0, k]) - 1, int(self._ind[1, k])
            if end > first and not (k == 0 and first == -2):
                need = max(need, end if not self.general else int(self._G[first:end].max()))
        return need

    def fits(self, module, count, unit, name):
        """Fails as the module fails unless the groups lie within `count` entries."""
        if count < self.length:
            self._check(Call(module, ()), count, unit, name)

    def scaled(self, factor: float) -> "Tree":
        """The same groups with every weight multiplied by `factor` (the L1 weight too), as a
        proximal gradient step of length 1/L scales the penalty by lambda/L.

        Examples
        --------
        >>> import sparsemex
        >>> sparsemex.Tree([(0, 2, 1.0)], l1_weight=0.5).scaled(2.0).matlab()[0]
        array([[-1.,  1.],
               [-1.,  2.],
               [ 1.,  2.]])
        """
        tree = Tree.__new__(Tree)
        tree.__dict__.update(self.__dict__)
        tree._ind = self._ind.copy(order="F")
        tree._ind[2] *= float(factor)
        if np.isnan(tree._ind[2, :self._nodes]).any():
            raise ValueError("factor %r makes a weight NaN" % (factor,))
        return tree

    def matlab(self) -> Tuple[np.ndarray, Optional[np.ndarray]]:
        """``(ind, G)``: the node table and index list as the MATLAB modules take them."""
        return self._ind[:, :self._nodes].copy(order="F"), \
            (None if self._G is None else self._G.copy())

    def __repr__(self):
        return "Tree(%d groups over %d entries%s)" % (
            self._nodes, self.length, ", index list" if self.general else "")

    def __reduce__(self):
        ind, G = self.matlab()
        return (Tree.from_matlab, (ind, G))


def _require_tree(tree):
    if not isinstance(tree, Tree):
        raise TypeError("tree must be a sparsemex.Tree, got %r" % (type(tree),))


def _vector_routine(routine, tree, x, name, check, output, threads):
    _require_tree(tree)
    module = ("general_" + routine) if tree.general else routine
    x = vector(module, name, x)
    n = x.size
    call = Call(module, ())
    if check == "finite":
        call.require_finite(x, n, name)
    elif check == "numbers":
        call.require_numbers(x, n, name)
    tree.fits(module, n, "positions", name)
    if module in ORDERED_MODULES:
        tree.require_order(module, n, "positions", name)
    out = new_matrix(n, 1) if output == "vector" else new_matrix(1, 1)
    args = (out, x, n) + ((tree._G,) if tree.general else ()) + (tree._ind, tree._nodes)
    run(module, module, *args, threads=threads_of(threads))
    return out[:, 0] if output == "vector" else float(out[0, 0])


def _matrix_routine(routine, tree, V, check, output, threads):
    _require_tree(tree)
    module = ("general_" + routine) if tree.general else routine
    V = matrix(module, "V", V)
    rows, cols = V.shape
    call = Call(module, ())
    if check == "finite":
        call.require_finite(V.reshape(-1, order="F"), V.size, "V")
    else:
        call.require_numbers(V.reshape(-1, order="F"), V.size, "V")
    if rows > 0:
        tree.fits(module, cols, "columns", "V")
    if module in ORDERED_MODULES:
        tree.require_order(module, cols, "columns", "V")
    out = new_matrix(rows, cols) if output == "matrix" else new_matrix(1, 1)
    args = (out, V, rows, cols) + ((tree._G,) if tree.general else ()) + (tree._ind, tree._nodes)
    run(module, module, *args, threads=threads_of(threads))
    return out if output == "matrix" else float(out[0, 0])


def tree_prox(v: ArrayLike, tree: Tree, *, threads: Optional[int] = None) -> np.ndarray:
    """Proximal operator of a tree-structured group penalty.

    Parameters
    ----------
    v : array_like, shape (n,)
        No NaN.
    tree : Tree
        Its groups must lie within the n entries, each listed after the groups nested
        inside it (``treeprox:nodeOrder`` otherwise; the critical weights too).
    threads : int, optional

    Returns
    -------
    numpy.ndarray, shape (n,)

    Examples
    --------
    >>> import numpy as np, sparsemex
    >>> sparsemex.tree_prox(np.array([3.0, 4.0]), sparsemex.Tree([(0, 2, 2.5)]))
    array([1.5, 2. ])
    """
    return _vector_routine("treeprox", tree, v, "v", "numbers", "vector", threads)


def tree_prox_rows(V: ArrayLike, tree: Tree, *, threads: Optional[int] = None) -> np.ndarray:
    """:func:`tree_prox` of every row of a matrix (a task per row).

    Parameters
    ----------
    V : array_like, shape (m, n)
    tree : Tree
    threads : int, optional

    Returns
    -------
    numpy.ndarray, shape (m, n), Fortran-ordered

    Examples
    --------
    >>> import numpy as np, sparsemex
    >>> sparsemex.tree_prox_rows(np.array([[3.0, 4.0]]), sparsemex.Tree([(0, 2, 2.5)]))
    array([[1.5, 2. ]])
    """
    return _matrix_routine("treeprox_mt", tree, V, "numbers", "matrix", threads)


def tree_penalty(x: ArrayLike, tree: Tree, *, threads: Optional[int] = None) -> float:
    """The value of the tree-structured penalty at x.

    Examples
    --------
    >>> import numpy as np, sparsemex
    >>> sparsemex.tree_penalty(np.array([3.0, 4.0]), sparsemex.Tree([(0, 2, 2.0)]))
    10.0
    """
    return _vector_routine("penaltyValue", tree, x, "x", None, "scalar", threads)


def tree_group_ratio(x: ArrayLike, tree: Tree, *, threads: Optional[int] = None) -> float:
    """The largest ratio of a group's Euclidean norm to its weight.

    Examples
    --------
    >>> import numpy as np, sparsemex
    >>> sparsemex.tree_group_ratio(np.array([3.0, 4.0]), sparsemex.Tree([(0, 2, 2.0)]))
    2.5
    """
    return _vector_routine("groupRatioCeiling", tree, x, "x", "numbers", "scalar", threads)


def tree_critical_weight(v: ArrayLike, tree: Tree, *,
                         threads: Optional[int] = None) -> float:
    """The smallest scale of the tree's weights at which :func:`tree_prox` returns zero.

    Examples
    --------
    >>> import numpy as np, sparsemex
    >>> sparsemex.tree_critical_weight(np.array([3.0, 4.0]), sparsemex.Tree([(0, 2, 1.0)]))
    5.0
    """
    return _vector_routine("criticalWeight", tree, v, "v", "finite", "scalar", threads)


def tree_critical_weight_rows(V: ArrayLike, tree: Tree, *,
                              threads: Optional[int] = None) -> float:
    """The largest :func:`tree_critical_weight` of the rows of a matrix.

    Examples
    --------
    >>> import numpy as np, sparsemex
    >>> V = np.array([[3.0, 4.0], [6.0, 8.0]])
    >>> sparsemex.tree_critical_weight_rows(V, sparsemex.Tree([(0, 2, 1.0)]))
    10.0
    """
    return _matrix_routine("criticalWeight_mt", tree, V, "finite", "scalar", threads)
