# Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
import numpy as np
import pytest


@pytest.fixture
def rng():
    return np.random.default_rng(20260)


def same_bits(a, b):
    """Whether two arrays (or scalars) hold the same doubles, bit for bit."""
    a = np.asarray(a, dtype=np.float64)
    b = np.asarray(b, dtype=np.float64)
    return a.shape == b.shape and np.array_equal(a.view(np.uint64), b.view(np.uint64))
