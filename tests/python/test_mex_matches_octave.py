# Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
"""sparsemex.mex against the Octave modules built from the same cores: every module, on the
same random inputs, with the same bits in every result."""
import numpy as np
import pytest

import octave_bridge
from conftest import same_bits
from sparsemex import mex

pytestmark = pytest.mark.skipif(not octave_bridge.available(),
                                reason="octave-cli or the built Octave modules are missing")


def _cases(rng, tmp_path):
    v = rng.normal(size=40)
    V = rng.normal(size=(7, 12))
    b = np.array([0.0, 5, 12, 30, 40])
    ind = np.array([[-1, 1, 6, 1], [-1, 5, 12, 20], [0.1, 0.4, 0.3, 0.2]]).T.copy().T
    indV = np.array([[1, 4, 1], [3, 12, 12], [0.3, 0.5, 0.2]])
    G = rng.permutation(40).astype(float) + 1
    S = np.cov(rng.normal(size=(30, 6)), rowvar=False)
    S = (S + S.T) / 2  # exactly symmetric, whatever rounding the product had
    tree_file = tmp_path / "tree.txt"
    tree_file.write_text("1 2 2 3\n2 2 4 5\n3 1 6\n")
    w = rng.normal(size=6)
    return [
        ("simplexShadow", (v, 40, 3.0, 0.0), 3),
        ("powerShadow", (v, 40, 0.7, 1.5, 0.0), 3),
        ("powerShadow", (v, 40, 0.7, np.inf, 0.0), 3),
        ("powerShadowVector", (v, b, 4, 40, np.array([0.5, 0.1, 2.0, 0.3]), 3.0), 1),
        ("powerShadowMatrix", (V, 7, 12, 0.9, 1.7), 1),
        ("mixedShadow", (V, 7, 12, 2.0, 0.0), 3),
        ("twoLevelShadow", (V, 7, 12, 0.2, 0.8, 2), 2),
        ("twoLevelShadow", (V, 7, 12, 0.2, 0.8, 0), 2),
        ("elementCone", (v, rng.normal(size=40), 40), 2),
        ("rowCone", (V, rng.normal(size=7), 7, 12), 2),
        ("powerShadowVectorR", (v, rng.normal(size=4), b, 40, 4), 2),
        ("treeprox", (v, 40, ind, 4), 1),
        ("penaltyValue", (v, 40, ind, 4), 1),
        ("groupRatioCeiling", (v, 40, ind, 4), 1),
        ("criticalWeight", (v, 40, ind, 4), 1),
        ("treeprox_mt", (V, 7, 12, indV, 3), 1),
        ("criticalWeight_mt", (V, 7, 12, indV, 3), 1),
        ("general_treeprox", (v, 40, G, ind, 4), 1),
        ("general_penaltyValue", (v, 40, G, ind, 4), 1),
        ("general_criticalWeight", (v, 40, G, ind, 4), 1),
        ("general_treeprox_mt", (V, 7, 12, G[:12] % 12 + 1, indV, 3), 1),
        ("general_criticalWeight_mt", (V, 7, 12, G[:12] % 12 + 1, indV, 3), 1),
        ("isoHier", (str(tree_file), w, 1.0, 6), 1),
        ("isoHier_without_nonnegative", (str(tree_file), w, 2.0, 6), 1),
        ("isoHierBinary", (v, 40), 1),
        ("isoHierDepth1", (v, 40), 1),
        ("chainAscend", (v, 40), 1),
        ("chainDescend", (v, 40), 1),
        ("precisionLasso", (np.zeros((6, 6)), np.zeros((6, 6)), S, 0.05, 0, 6, 200, -1, 1e-8,
                            50, 1e-6), 2),
    ]


def test_every_module_gives_the_bits_of_its_octave_build(rng, tmp_path):
    cases = _cases(rng, tmp_path)
    assert {module for module, _, _ in cases} == set(mex.__all__)
    expected = octave_bridge.call_all(cases)
    for (module, args, outputs), want in zip(cases, expected):
        got = getattr(mex, module)(*args)
        got = got if isinstance(got, tuple) else (got,)
        for k in range(outputs):
            assert same_bits(np.reshape(got[k], want[k].shape), want[k]), (module, k)
