# Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
"""Isotonic fits of ozone on temperature, over a chain and over a tree, on real data.

111 daily readings in New York, May to September 1973 (airquality). The chain fit
(isotonic_chain: non-increasing, clipped at 0) takes the readings by decreasing temperature,
and is checked against scikit-learn's isotonic regression. The tree fit (isotonic_tree: a
parent never below its child) hangs each month's days, hottest first, as a path below the
hottest day, and is checked by the optimality conditions of a tree fit.

    python examples/python/isotonic_ozone.py [picture folder]
"""
import matplotlib

matplotlib.use("Agg")
import matplotlib.pyplot as plt  # noqa: E402
import numpy as np  # noqa: E402
from sklearn.isotonic import isotonic_regression  # noqa: E402

import sparsemex  # noqa: E402
from example_support import read_table, save_figure  # noqa: E402

columns, _, values = read_table("airquality.csv", False)
ozone, temperature, month = (values[:, columns.index(name)] for name in ("Ozone", "Temp", "Month"))
n = ozone.size

# The chain: hottest first, equal temperatures by decreasing ozone.
by_heat = np.lexsort((-ozone, -temperature))
v = ozone[by_heat]
chain = sparsemex.isotonic_chain(v)
reference = np.maximum(isotonic_regression(v, increasing=False), 0)
print("Isotonic fit of ozone (ppb) on temperature (F), %d days" % n)
print("  chain: %d levels; largest difference from scikit-learn %.1e"
      % (np.unique(chain).size, np.abs(chain - reference).max()))
assert np.all(np.diff(chain) <= 0) and np.abs(chain - reference).max() < 1e-10

# The tree: node 0 the hottest day, then each month's other days as a path, hottest first.
order = [by_heat[0]]
parents = [-1]
for m in np.unique(month):
    days = [d for d in by_heat[1:] if month[d] == m]
    for k, day in enumerate(days):
        parents.append(0 if k == 0 else len(order) - 1)
        order.append(day)
order, parents = np.array(order), np.array(parents)
w = ozone[order]
tree = sparsemex.isotonic_tree(w, parents)

# Optimality: the residual summed over the subtree of a node is >= 0, and 0 where the node's
# fit lies below its parent's, and at the root (parents come before their children here).
subtree = w - tree
for i in range(n - 1, 0, -1):
    subtree[parents[i]] += subtree[i]
scale = 1e-9 * np.abs(w).sum()
slack = np.r_[False, tree[1:] < tree[parents[1:]] - 1e-9 * tree.max()]
assert np.all(tree[1:] <= tree[parents[1:]]), "the tree fit rises below a node"
assert np.all(subtree[1:] >= -scale), "a subtree lies above the data"
assert np.all(np.abs(subtree[slack]) <= scale) and abs(subtree[0]) <= scale
print("  tree: root %.1f ppb at %d F; squared error: chain %.0f, tree %.0f"
      % (tree[0], temperature[order[0]], ((v - chain) ** 2).sum(), ((w - tree) ** 2).sum()))

figure, axes = plt.subplots(figsize=(6, 4))
axes.plot(temperature, ozone, "k.", label="readings")
axes.step(temperature[by_heat][::-1], chain[::-1], "k-", where="post", lw=2, label="chain fit")
for m in np.unique(month):
    nodes = np.r_[0, np.flatnonzero((month[order] == m) & (np.arange(n) > 0))]
    axes.step(temperature[order[nodes]][::-1], tree[nodes][::-1], where="post",
              label="tree, month %d" % m)
axes.set_xlabel("temperature (F)")
axes.set_ylabel("ozone (ppb)")
axes.legend(loc="upper left", fontsize=8)
save_figure(figure, "isotonic_ozone")
print("check passed")
