# Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
"""Inputs of the Pythonic layer: shapes checked, sizes taken from the arrays.

A vector is a 1-D array; a matrix a 2-D array whose axis 0 holds the rows, whatever its
memory order. The cores read matrices in column-major (Fortran) order: a Fortran-ordered
float64 matrix is read where it lies, a C-ordered one (NumPy's default) is copied once into
Fortran order, and any other real dtype is converted once to float64. Vectors are never
copied when they are contiguous float64.
"""
import numpy as np

from ._call import flat_doubles
from ._errors import Error


def _refuse(module, name, what, value):
    raise Error("%s:notRealDouble" % module, "%s must be %s, got %r" % (name, what, value))


def vector(module, name, value):
    """value as a contiguous float64 1-D array."""
    array = np.asarray(value)
    if array.ndim != 1:
        raise Error("%s:notVector" % module,
                    "%s must be a 1-D array, got shape %s" % (name, array.shape))
    data = flat_doubles(array)
    if data is None:
        _refuse(module, name, "an array of real numbers", array.dtype)
    return data


def matrix(module, name, value):
    """value as a Fortran-ordered float64 2-D array (rows on axis 0)."""
    array = np.asarray(value)
    if array.ndim != 2:
        raise Error("%s:notMatrix" % module,
                    "%s must be a 2-D array (rows by columns), got shape %s" % (name, array.shape))
    if array.dtype.kind not in "biuf":
        _refuse(module, name, "an array of real numbers", array.dtype)
    return np.asfortranarray(array, dtype=np.float64)


def threads_of(threads):
    """The threads= argument as the cores take it: 0 for the default."""
    if threads is None:
        return 0
    count = int(threads)
    if count < 1:
        raise ValueError("threads must be a positive integer or None, got %r" % (threads,))
    return count

