# Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
"""A tree-structured group lasso and its regularisation path, on real data.

mpg of the mtcars cars explained by 10 characteristics (standardized) in a tree of groups:
the engine (cyl, disp, hp, carb) with its size (cyl, disp) and power (hp, carb), the body
(wt, qsec), the drivetrain (am, gear, drat, vs) with its gearbox (am, gear). For a decreasing
sequence of lambda from tree_critical_weight(A'y), we solve

    minimize 0.5 ||A b - y||^2 + lambda (||b||_1 + sum_k w_k ||b[group k]||)

by accelerated proximal gradient with tree_prox. Checked: every fit is a fixed point of its
step, the fit at the critical weight is 0 and below it is not, and the same fit with the
columns in their original order and the groups as an index list.

    python examples/python/tree_group_lasso.py [picture folder]
"""
import matplotlib

matplotlib.use("Agg")
import matplotlib.pyplot as plt  # noqa: E402
import numpy as np  # noqa: E402

import sparsemex  # noqa: E402
from example_support import fista, read_table, save_figure, standardized  # noqa: E402

columns, _, values = read_table("mtcars.csv", True)
names = ["cyl", "disp", "hp", "carb", "wt", "qsec", "am", "gear", "drat", "vs"]
# Each group by its first and last characteristic, nested groups before their parents.
spans = [("cyl", "disp"), ("hp", "carb"), ("am", "gear"), ("cyl", "carb"), ("wt", "qsec"),
         ("am", "vs")]
nodes = [(names.index(a), names.index(b) + 1, np.sqrt(names.index(b) - names.index(a) + 1))
         for a, b in spans]
tree = sparsemex.Tree(nodes, l1_weight=1.0)
order = [columns.index(name) for name in names]
y = values[:, 0] - values[:, 0].mean()
A = standardized(values[:, order])
L = np.linalg.norm(A, 2) ** 2
gradient = lambda b: A.T @ (A @ b - y)  # noqa: E731


def fit(start, lam, penalty=tree, data=A):
    step = penalty.scaled(lam / L)
    return fista(lambda b: data.T @ (data @ b - y), L, start,
                 lambda v: sparsemex.tree_prox(v, step))[0]


critical = sparsemex.tree_critical_weight(A.T @ y, tree)
lambdas = critical * np.logspace(0, -2.5, 30)
path = np.zeros((len(names), lambdas.size))
b = np.zeros(len(names))
worst = 0.0
for k, lam in enumerate(lambdas):
    b = fit(b, lam)
    path[:, k] = b
    step = sparsemex.tree_prox(b - gradient(b) / L, tree.scaled(lam / L))
    worst = max(worst, np.linalg.norm(step - b) / max(1.0, np.linalg.norm(b)))
print("Tree-structured group lasso of mpg on %d characteristics of %d cars" % (len(names), y.size))
print("  critical weight %.4f; largest fixed-point residual along the path %.1e"
      % (critical, worst))
assert not path[:, 0].any(), "the fit at the critical weight is not zero"
assert fit(np.zeros(len(names)), 0.99 * critical).any(), "the critical weight is too large"
assert worst < 1e-8, "a fit of the path is not optimal"
for k in (4, 9, 14, 19, 29):
    objective = 0.5 * np.sum((A @ path[:, k] - y) ** 2) + lambdas[k] * sparsemex.tree_penalty(
        path[:, k], tree)
    kept = " ".join(name for name, value in zip(names, path[:, k]) if value)
    print("  lambda/critical %.3f  objective %8.3f  kept: %s" % (lambdas[k] / critical,
                                                                objective, kept))

# The same fit over the columns in their original order, the groups listing them.
original = standardized(values[:, 1:])
listed = sparsemex.Tree(nodes, l1_weight=1.0, index_list=np.array(order) - 1)
listed_critical = sparsemex.tree_critical_weight(original.T @ y, listed)
from_lists = fit(np.zeros(len(names)), lambdas[14], listed, original)
difference = np.abs(from_lists[np.array(order) - 1] - path[:, 14]).max()
print("  index-list form: critical weight %.4f, largest difference %.1e" % (listed_critical,
                                                                           difference))
assert abs(listed_critical - critical) <= 1e-9 * critical and difference < 1e-8

figure, axes = plt.subplots(figsize=(7, 4))
for k, name in enumerate(names):
    axes.semilogx(lambdas / critical, path[k], "-" if k < 7 else "--", label=name)
axes.invert_xaxis()
axes.set_xlabel("lambda / critical weight")
axes.set_ylabel("coefficient (mpg per sd)")
axes.legend(loc="center left", bbox_to_anchor=(1, 0.5))
save_figure(figure, "tree_group_lasso")
print("check passed")
