# Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
"""The argument checker of sparsemex.mex, and the one way any layer runs a core routine.

A module of sparsemex.mex reads as its MATLAB gateway does: check and get the inputs, create
the outputs, call the routine, return. Every check fails with the identifier
``"<module>:<reason>"`` and the message of the MATLAB module.

Conversion happens here, once: an array argument becomes a flat float64 array in MATLAB's
column-major order. A float64 array that is C- or Fortran-contiguous and 1-D, or
Fortran-contiguous 2-D (the order MATLAB stores matrices in), is read where it lies; any
other array of real numbers (integers, booleans, float32, C-ordered matrices, strided views)
is copied once into that form. Complex, object and text arrays are refused.
"""
import os
import sys
import warnings

import numpy as np

from . import _core
from ._errors import Error, Warning

_REAL_KINDS = "biuf"

# A double as the modules convert integer parameters: toward zero, NaN and values outside the
# 32-bit range giving -2**31.
truncate_to_int = _core.truncate_to_int


def c_g(value, precision=6):
    """A double as C's %g prints it (%.17g with precision=17)."""
    if np.isnan(value):
        return "nan" if not np.signbit(value) else "-nan"
    return "%.*g" % (precision, value)


def flat_doubles(value):
    """value as a flat float64 array in column-major order, without a copy when it already
    is one; None for what is not an array of real numbers."""
    array = value if isinstance(value, np.ndarray) else np.asarray(value)
    if array.dtype.kind not in _REAL_KINDS:
        return None
    if array.dtype != np.float64:
        array = array.astype(np.float64)
    return array.ravel(order="F") if array.ndim != 1 or not array.flags.c_contiguous else array


def new_matrix(rows, cols):
    """A zero-filled column-major output, as the modules create theirs.

    Filled rather than taken zeroed from the system (np.zeros): NumPy asks the system for
    large arrays in huge pages only when it does not need them zeroed, and on a fresh array of
    1e7 elements the page faults of small pages cost more than the routine itself.
    """
    matrix = np.empty((rows, cols), order="F")
    matrix.fill(0.0)
    return matrix


def emit(texts, verbose, stacklevel):
    """Passes what a routine printed on: progress lines to stdout when verbose, otherwise
    each message as a sparsemex.Warning."""
    for text in texts:
        if verbose:
            sys.stdout.write(text)
        elif text.strip():
            warnings.warn(text.strip(), Warning, stacklevel=stacklevel + 1)


def run(module, routine, *args, threads=0, verbose=False):
    """Runs the core routine `routine` of _core with `args` (checked and converted, outputs
    allocated) with the GIL released; raises its failure as ``module``'s error."""
    reason, message, texts = getattr(_core, routine)(args, threads)
    if reason is not None:
        identifier = "%s:%s" % (module, reason)
        if reason == "outOfMemory":
            error = MemoryError(message)
            error.identifier = identifier
            raise error
        raise Error(identifier, message)
    if texts:
        emit(texts, verbose, stacklevel=3)


class Call:
    """The arguments of one call of a module, checked as its MATLAB gateway checks them, and
    failing with the failures (reason, message) that the compiled module words for both."""

    def __init__(self, module, args):
        self.module = module
        self.args = args

    def fail(self, reason, message):
        raise Error("%s:%s" % (self.module, reason), message)

    def doubles(self, position, name, count):
        """The data of a real array with at least `count` elements, flat, column-major."""
        data = flat_doubles(self.args[position])
        if data is None:
            self.fail_with(_core.not_real_double_failure(name, position))
        if count > 0 and data.size < count:
            self.fail_with(_core.too_few_elements_failure(name, position, data.size, count))
        return data

    def scalar(self, position, name):
        value = self.args[position]
        if not isinstance(value, float):
            array = np.asarray(value)
            if array.dtype.kind not in _REAL_KINDS or array.size != 1:
                self.fail_with(_core.not_scalar_failure(name, position))
            value = float(array.reshape(-1)[0])
        return value

    def integer(self, position, name):
        return truncate_to_int(self.scalar(position, name))

    def size(self, position, name):
        value = self.scalar(position, name)
        converted = truncate_to_int(value)
        if converted < 0:
            self.fail_with(_core.negative_size_failure(name, position, value))
        return converted

    def string(self, position, name):
        value = self.args[position]
        if isinstance(value, os.PathLike):
            value = os.fspath(value)
        if not isinstance(value, str):
            self.fail_with(_core.not_string_failure(name, position))
        if "\0" in value:
            self.fail_with(_core.nul_in_string_failure(name, position))
        return value

    def matrix(self, position, name, rows_position, rows_name, cols_position, cols_name):
        """(data, rows, cols): the sizes first, then the data of at least rows * cols."""
        rows = self.size(rows_position, rows_name)
        cols = self.size(cols_position, cols_name)
        return self.doubles(position, name, rows * cols), rows, cols

    def fail_with(self, failure):
        """Raises a (reason, message) failure of the compiled value checks."""
        self.fail(*failure)

    def require_numbers(self, data, count, name):
        at = _core.first_nan(data, 0, count, 1)
        if at >= 0:
            self.fail_with(_core.nan_failure(name, at))

    def require_finite(self, data, count, name):
        at = _core.first_nonfinite(data, 0, count, 1)
        if at >= 0:
            self.fail_with(_core.nonfinite_failure(name, at, data[at]))

    def fail_finite_sum(self, data, found, offset, stride, name):
        """The failure of a finite-sum check that found `found` (an element, or -2)."""
        value = data[offset + found * stride] if found >= 0 else 0.0
        self.fail_with(_core.finite_sum_failure(name, found, value))

    def require_finite_sum(self, data, count, name):
        found = _core.finite_sum_check(data, 0, count, 1)
        if found != -1:
            self.fail_finite_sum(data, found, 0, 1, name)

    def require_number(self, value, name):
        """A weight or radius may be infinite but not NaN."""
        if np.isnan(value):
            self.fail("notFinite", "%s must not be NaN" % name)

    def require_searchable_rows(self, V, m, n, name):
        """Finite rows of the column-major m-by-n V, each with a finite sum of magnitudes."""
        row, found = _core.searchable_rows(V, m, n)
        if row >= 0:
            self.fail_finite_sum(V, found, row, m, "row %d of %s" % (row + 1, name))

    def run(self, routine, *args, threads=0, verbose=False):
        run(self.module, routine, *args, threads=threads, verbose=verbose)
