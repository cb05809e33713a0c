# Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
"""Blocks of rows: how every function of sparsemex.dask lays its tasks over a Dask matrix.

A task runs an in-memory function of sparsemex on one block of rows (all columns of those
rows), so each row gets the bits it gets in memory. A task may return several outputs; each
becomes its own Dask array, and computing several of them together runs the task once.
Where rows depend on the rows before them, each task hands a small carry to the next. Those
two needs are why the tasks are laid out here rather than by dask.array.map_blocks, which
makes one output per task and keeps no order between blocks.
"""
import functools
import itertools
import operator

import dask.array as da
import numpy as np
from dask.base import tokenize
from dask.highlevelgraph import HighLevelGraph

from .._errors import Error


def row_blocks(V, module):
    """V as a Dask matrix whose blocks hold whole rows; (matrix, a probe of it).

    The probe is a NumPy matrix of V's dtype with V's columns and one row of zeros (none
    when V has no row): an in-memory call on it checks every argument, at call time, as the
    call on V would, without touching V's data.
    """
    V = V if isinstance(V, da.Array) else da.asarray(V)
    if V.ndim != 2:
        raise Error("%s:notMatrix" % module,
                    "V must be a 2-D array (rows by columns), got shape %s" % (V.shape,))
    if any(np.isnan(size) for size in V.shape):
        raise ValueError("V must have known chunk sizes (call V.compute_chunk_sizes())")
    if V.numblocks[1] != 1:
        V = V.rechunk({1: -1})
    probe = np.zeros((min(V.shape[0], 1), V.shape[1]), dtype=V.dtype)
    return V, probe


def row_vector(t, V):
    """t as a Dask vector cut into V's blocks of rows; None unless it has one value a row."""
    t = t if isinstance(t, da.Array) else da.asarray(t)
    if t.ndim != 1 or t.shape[0] != V.shape[0]:
        return None
    return t.rechunk((V.chunks[0],))


def _on_block(function, first, stop, *args):
    """function(*args) for rows first..stop-1; a failure names those rows."""
    try:
        return function(*args)
    except Error as error:
        raise Error(error.identifier, "%s (in rows %d to %d of the Dask array)"
                    % (error, first + 1, stop)) from None


def map_row_blocks(label, function, V, rows=(), whole=(), outputs=("matrix",), carry=None,
                   **kwargs):
    """Runs ``function(V block, block of each of rows, each of whole, **kwargs)`` once per
    block of rows of V, lazily.

    rows: Dask arrays cut into V's blocks of rows; whole: 0-d Dask arrays given whole to
    every task. outputs: what each task returns, one kind per output (a single output alone,
    several as a tuple): "matrix" (V's shape and blocks), "vector" (one value per row) or
    "block" (one value per block, as a 1-element array).

    carry: for rows that depend on the rows before them. When given, each task is called
    with a first argument, the carry (this value for the first block, the carry returned by
    the block before for the others), and returns ``(carry, *outputs)``; the tasks then run
    in row order, and only the carry travels between them.

    Returns one Dask array per output in a list, preceded with a carry by the last block's
    carry (a single chunk of the initial carry's shape).
    """
    call = functools.partial(function, **kwargs) if kwargs else function
    name = "%s-%s" % (label, tokenize(label, call, V, *rows, *whole, carry))
    # Every task's callable is this one object, which carries the arguments common to all
    # blocks (a tree, a weight): Dask pickles a task's callable once per graph and a worker
    # unpickles it once, where it pickles the other elements of a task into every task.
    on_block = functools.partial(_on_block, call)
    starts = [0, *itertools.accumulate(V.chunks[0])]
    count = len(V.chunks[0])
    carried = name + "-carry"

    def task(i):
        args = [] if carry is None else [carry if i == 0 else (carried, i - 1)]
        args += [(V.name, i, 0)] + [(a.name, i) if a.ndim == 1 else (a.name, i, 0) for a in rows]
        return (on_block, starts[i], starts[i + 1], *args, *[(a.name,) for a in whole])

    shapes = {"matrix": (V.chunks, lambda n, i: (n, i, 0)),
              "vector": ((V.chunks[0],), lambda n, i: (n, i)),
              "block": (((1,) * count,), lambda n, i: (n, i))}
    dependencies = [V, *rows, *whole]
    if carry is None and len(outputs) == 1:
        chunks, key = shapes[outputs[0]]
        graph = HighLevelGraph.from_collections(
            name, {key(name, i): task(i) for i in range(count)}, dependencies=dependencies)
        return [_float_array(graph, name, chunks)]
    layer = {(name, i): task(i) for i in range(count)}
    arrays = []
    if carry is not None:
        layer.update({(carried, i): (operator.getitem, (name, i), 0) for i in range(count)})
        shape = np.shape(carry)
        shapes["last"] = (tuple((size,) for size in shape), lambda n, i: (n,) + (0,) * len(shape))
        outputs = ("last",) + tuple(outputs)
    graph = HighLevelGraph.from_collections(name, layer, dependencies=dependencies)
    for at, kind in enumerate(outputs):
        chunks, key = shapes[kind]
        out = "%s-%d" % (name, at)
        if kind == "last":
            layer = {key(out, 0): (carried, count - 1)}
        else:
            layer = {key(out, i): (operator.getitem, (name, i), at) for i in range(count)}
        arrays.append(_float_array(with_layer(graph, out, layer, name), out, chunks))
    return arrays


def _float_array(graph, name, chunks):
    return da.Array(graph, name, chunks, meta=np.empty((0,) * len(chunks), dtype=np.float64))


def with_layer(graph, name, layer, depends_on):
    """graph with one more layer, `name`, whose tasks read those of `depends_on`."""
    return HighLevelGraph(dict(graph.layers, **{name: layer}),
                          dict(graph.dependencies, **{name: {depends_on}}))
