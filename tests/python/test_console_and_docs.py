# Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
"""What the cores print reaches Python as warnings or, when asked for, progress lines, and
nothing else reaches stdout; the documentation's examples run."""
import doctest
import inspect
import warnings

import numpy as np
import pytest

import sparsemex
from sparsemex import _call, cones, monotone, precision, projections, trees


def test_printed_text_becomes_warnings_or_progress_lines(capsys):
    with pytest.warns(sparsemex.Warning, match="The number of steps exceed"):
        _call.emit(["\n The number of steps exceed 100.", "   "], verbose=False, stacklevel=1)
    assert capsys.readouterr().out == ""
    _call.emit(["\n Outer Loop: 0, gap 1\n"], verbose=True, stacklevel=1)
    assert capsys.readouterr().out == "\n Outer Loop: 0, gap 1\n"


def test_progress_lines_only_with_verbose(capfd):
    S = np.array([[1.0, 0.3], [0.3, 1.0]])
    with warnings.catch_warnings():
        warnings.simplefilter("error")
        sparsemex.graphical_lasso(S, 0.1)
    assert capfd.readouterr().out == ""
    sparsemex.graphical_lasso(S, 0.1, verbose=True)
    assert "Outer Loop: 0, gap" in capfd.readouterr().out


@pytest.mark.parametrize("module", [projections, cones, trees, monotone, precision])
def test_docstring_examples_run(module):
    assert doctest.testmod(module, raise_on_error=False).failed == 0


def test_every_function_is_documented_and_listed_by_family():
    overview = sparsemex.__doc__
    for name in sparsemex.__all__:
        item = getattr(sparsemex, name)
        if inspect.isfunction(item):
            assert name in overview, name
            assert "Examples" in item.__doc__ or name == "isotonic_tree_file", name
    for name in sparsemex.mex.__all__:
        assert getattr(sparsemex.mex, name).__doc__.startswith(("[", "x =", "X =", "value ="))
