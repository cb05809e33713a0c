# Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
"""Rejections: sparsemex.mex fails as the Octave modules do (identifier and message), the
Pythonic layer raises the same class, and a failed call writes and prints nothing."""
import subprocess
import sys

import numpy as np
import pytest

import octave_bridge
from conftest import same_bits
import sparsemex
from sparsemex import mex

IND = np.array([[1.0], [3.0], [0.5]])

# Every argument check the modules share, once, and the checks of each family.
REJECTED = [
    ("simplexShadow", ([1.0, np.inf], 2, 1.0, 0.0)),                  # notFinite
    ("simplexShadow", ([1.0, 2.0], 3, 1.0, 0.0)),                     # tooFewElements
    ("simplexShadow", ([1.0, 2.0], -1, 1.0, 0.0)),                    # negativeSize
    ("simplexShadow", ([1.0, 2.0], np.nan, 1.0, 0.0)),                # a size said in words
    ("simplexShadow", ([1.0, 2.0], -np.inf, 1.0, 0.0)),
    ("simplexShadow", ("ab", 2, 1.0, 0.0)),                           # notRealDouble
    ("isoHier", (3.0, [1.0, 2.0], 1.0, 2)),                           # notString
    ("simplexShadow", ([1.0, 2.0], 2, [1.0, 2.0], 0.0)),              # notScalar
    ("simplexShadow", ([1.0, 2.0], 2, -1.0, 0.0)),                    # negativeRadius
    ("simplexShadow", ([1e308, 1e308], 2, 1.0, 0.0)),                 # overflow
    ("simplexShadow", ([1.0, 2.0], 2, np.nan, 0.0)),                  # NaN radius
    ("simplexShadow", ([0.0, np.nan], 2, -1.0, 0.0)),                 # v named before z
    ("simplexShadow", ([1e308, 1e308], 2, np.nan, 0.0)),
    ("powerShadow", ([1.0, 2.0], 2, -1.0, 3.0, 0.0)),                 # negativeWeight
    ("powerShadow", ([1.0, 2.0], 2, 1.0, 0.5, 0.0)),                  # invalidExponent
    ("powerShadowVector", ([1.0, 2.0], [0.0, 3.0], 1, 2, [1.0], 2.0)),  # groupOutOfRange
    ("powerShadowVector", ([1.0, np.inf], [0.0, 2.0], 1, 2, [1.0], 3.0)),
    ("powerShadowMatrix", (np.array([[1.0, np.inf]]), 1, 2, 1.0, 3.0)),  # row of V
    ("twoLevelShadow", (np.array([[1.0, np.nan]]), 1, 2, 1.0, 1.0, 2)),
    ("elementCone", ([1.0, np.nan], [1.0, 1.0], 2)),
    ("rowCone", (np.ones((2, 2)), [1.0], 2, 2)),
    ("powerShadowVectorR", ([1.0, 2.0], [1.0], [0.0, 3.0], 2, 1)),
    ("treeprox", ([1.0, 2.0], 2, IND, 1)),                            # nodeOutOfRange
    ("treeprox", ([1.0, 2.0, 3.0], 3, np.array([[-1.0], [2.0], [1.0]]), 1)),  # badL1Node
    ("treeprox", ([1.0, 2.0, 3.0], 3, np.array([[1.0], [3.0], [np.nan]]), 1)),
    ("treeprox_mt", (np.ones((2, 3)), 2, 3, np.array([[1, 1, 2], [1, 3, 2], [0.1, 1, 0.5]]),
                     3)),                                             # nodeOrder
    ("general_criticalWeight", ([1.0, 2.0, 3.0], 3, [3.0, 1.0, 2.0],
                                np.array([[1, 2], [3, 3], [1, 0.5]]), 2)),
    ("criticalWeight_mt", (np.ones((2, 2)), 2, 2, IND, 1)),
    ("general_treeprox", ([1.0, 2.0, 3.0], 3, [1.0, 2.0], IND, 1)),   # sliceOutOfRange
    ("general_treeprox", ([1.0, 2.0, 3.0], 3, [1.0, 2.0, 4.0], IND, 1)),  # positionOutOfRange
    ("isoHier", ("/nonexistent/tree.txt", [1.0, 2.0], 1.0, 2)),       # unreadableFile
    ("isoHierBinary", ([1.0, np.nan], 2)),
    ("chainAscend", ([1.0, 1e308, 1e308], 3)),
    ("precisionLasso", (np.zeros((2, 2)), np.zeros((2, 2)), np.eye(2), -1.0, 0, 2, 10,
                        1e-6, 1e-6, 10, 1e-4)),                       # negativePenalty
    ("precisionLasso", (np.zeros((2, 2)), np.zeros((2, 2)), np.ones((2, 2)), 0.0, 0, 2,
                        10, -1.0, 1e-6, 10, 1e-4)),                   # notInvertible
    ("precisionLasso", (np.zeros((2, 2)), np.zeros((2, 2)), np.array([[1.0, 0.5], [0.1, 1.0]]),
                        0.1, 0, 2, 10, 1e-6, 1e-6, 10, 1e-4)),         # notSymmetric
]


@pytest.mark.skipif(not octave_bridge.available(), reason="no Octave modules")
def test_rejections_have_the_identifiers_and_messages_of_the_octave_modules():
    expected = octave_bridge.errors_all(REJECTED)
    for (module, args), want in zip(REJECTED, expected):
        assert want is not None, module
        with pytest.raises(sparsemex.Error) as error:
            getattr(mex, module)(*args)
        assert (error.value.identifier, module + ": " + str(error.value)) == want


def test_tree_rejections_in_a_root_file_are_reported(tmp_path):
    path = tmp_path / "cyclic.txt"
    path.write_text("1 1 2\n2 1 3\n3 1 2\n")
    with pytest.raises(sparsemex.Error) as error:
        sparsemex.isotonic_tree_file(path, np.ones(3), 1)
    assert error.value.identifier == "isoHier:cyclicTree"
    with pytest.raises(sparsemex.Error) as error:
        sparsemex.isotonic_tree_file(path, np.ones(3), 7.5)
    assert str(error.value) == "the root node number 7.5 is outside 1..3"


def test_errors_are_value_errors():
    with pytest.raises(ValueError):
        sparsemex.project_l1_ball([1.0, np.nan], 1.0)


@pytest.mark.parametrize("radius", [1.0, -1.0, np.nan])
def test_a_vector_without_a_finite_sum_is_named_before_the_radius(radius):
    for v, identifier, message in (
            ([1.0, 0.0, -np.inf], "notFinite", "v must be finite, but element 3 is -inf"),
            ([1e308, -1e308], "overflow",
             "the sum of the magnitudes of v overflows the double range")):
        with pytest.raises(sparsemex.Error) as error:
            sparsemex.project_l1_ball(np.array(v), radius)
        assert (error.value.identifier, str(error.value)) == ("simplexShadow:" + identifier,
                                                              message)


OUT_OF_MEMORY = """
import resource, sys, numpy as np, sparsemex
path, = sys.argv[1:]
n = 50_000_000
v = np.zeros(n)
# Room for the result (400 MB) and a little more: the child table of n nodes (800 MB)
# cannot be had.
size = int(open("/proc/self/statm").read().split()[0]) * resource.getpagesize()
resource.setrlimit(resource.RLIMIT_AS, (size + (600 << 20),) * 2)
try:
    sparsemex.isotonic_tree_file(path, v, 1)
except MemoryError as error:
    print(error.identifier)
print(sparsemex.isotonic_chain(np.array([2.0, 1.0])))
"""


@pytest.mark.skipif(not sys.platform.startswith("linux"), reason="uses /proc and RLIMIT_AS")
def test_a_failed_allocation_is_a_memory_error_and_the_process_goes_on(tmp_path):
    path = tmp_path / "tree.txt"
    path.write_text("1 1 2\n")
    done = subprocess.run([sys.executable, "-c", OUT_OF_MEMORY, str(path)], capture_output=True,
                          text=True, timeout=120)
    assert done.stdout.split("\n")[:2] == ["isoHier:outOfMemory", "[2. 1.]"], done.stderr


def test_pythonic_shape_and_type_errors_name_the_argument():
    with pytest.raises(sparsemex.Error, match="v must be a 1-D array"):
        sparsemex.project_l1_ball(np.ones((2, 2)), 1.0)
    with pytest.raises(sparsemex.Error, match="V must be a 2-D array"):
        sparsemex.prox_lp_rows(np.ones(3), 1.0, 2)
    with pytest.raises(sparsemex.Error) as error:
        sparsemex.project_cone(np.ones(3, dtype=complex), np.ones(3))
    assert error.value.identifier == "elementCone:notRealDouble"
    with pytest.raises(sparsemex.Error) as error:
        mex.simplexShadow("text", 1, 1.0, 0.0)
    assert error.value.identifier == "simplexShadow:notRealDouble"
    with pytest.raises(sparsemex.Error) as error:
        sparsemex.tree_prox(np.ones(2), sparsemex.Tree([(0, 3, 1.0)]))
    assert error.value.identifier == "treeprox:nodeOutOfRange"
    assert str(error.value) == "node ind(:,1) covers positions 1 to 3, outside the 2 positions of v"
    with pytest.raises(sparsemex.Error) as error:
        sparsemex.Tree([(-1, 3, 1.0)])
    assert error.value.identifier == "treeprox:nodeOutOfRange"
    with pytest.raises(sparsemex.Error) as error:
        sparsemex.graphical_lasso(np.array([[1.0, 0.5], [0.1, 1.0]]), 0.1)
    assert error.value.identifier == "precisionLasso:notSymmetric"


def test_a_covariance_asymmetric_by_rounding_is_read_as_its_symmetric_part(rng):
    data = rng.normal(size=(50, 6))
    S = np.cov(data, rowvar=False)
    S = (S + S.T) / 2
    nudged = S.copy()
    nudged[4, 1] = np.nextafter(S[4, 1], 1.0)
    nudged[0, 3] = S[0, 3] * (1 + 1e-12)
    mean = S.copy()
    for i, j in ((4, 1), (0, 3)):
        mean[i, j] = mean[j, i] = nudged[i, j] / 2 + nudged[j, i] / 2
    for got, want in zip(sparsemex.graphical_lasso(nudged, 0.1),
                         mex.precisionLasso(mean, mean, mean, 0.1, 0, 6, 100, -1.0, 1e-6, 100,
                                            1e-4)):
        assert same_bits(got, want)
    with pytest.raises(sparsemex.Error) as error:
        mex.precisionLasso(nudged, nudged, nudged, 0.1, 0, 6, 100, -1.0, 1e-6, 100, 1e-4)
    assert error.value.identifier == "precisionLasso:notSymmetric"


def test_a_tree_out_of_order_serves_the_penalty_but_not_the_prox(rng):
    nodes = [(0, 1, 0.1), (0, 3, 1.0), (1, 2, 0.5)]  # (1, 2) listed after (0, 3)
    for tree in (sparsemex.Tree(nodes), sparsemex.Tree(nodes, index_list=[2, 0, 1])):
        module = "general_" if tree.general else ""
        v = rng.normal(size=3)
        assert sparsemex.tree_penalty(v, tree) > 0
        for call in (lambda: sparsemex.tree_prox(v, tree),
                     lambda: sparsemex.tree_critical_weight(v, tree),
                     lambda: sparsemex.tree_prox_rows(v[None, :], tree),
                     lambda: sparsemex.tree_critical_weight_rows(v[None, :], tree)):
            with pytest.raises(sparsemex.Error) as error:
                call()
            assert error.value.identifier.startswith(module)
            assert error.value.identifier.endswith(":nodeOrder")
    in_order = sparsemex.Tree([nodes[0], nodes[2], nodes[1]])
    assert sparsemex.tree_prox(np.ones(3), in_order).shape == (3,)


def test_a_failed_call_prints_nothing_and_writes_nothing(capfd):
    v = np.array([1.0, 2.0, 3.0])
    kept = v.copy()
    with pytest.raises(sparsemex.Error) as error:
        mex.treeprox(v, 3, np.array([[-1.0], [2.0], [1.0]]), 1)
    assert error.value.identifier == "treeprox:badL1Node"
    assert np.array_equal(v, kept)
    assert capfd.readouterr() == ("", "")


def test_errors_survive_pickling_with_their_identifier():
    import pickle
    with pytest.raises(sparsemex.Error) as error:
        sparsemex.isotonic_heap(np.array([np.inf]))
    again = pickle.loads(pickle.dumps(error.value))
    assert (type(again), again.identifier, str(again)) == (
        sparsemex.Error, "isoHierBinary:notFinite", str(error.value))
