# Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
"""A multi-task fit with a shared choice of characteristics, on real data.

Two responses of the mtcars cars, mpg and qsec, explained by the same 9 characteristics
(standardized): minimize 0.5 ||A B - Y||^2 subject to sum over rows of ||B[i]|| <= z, one
row per characteristic, a column per task, projected onto that ball by project_l12_ball.
Checked by the optimality conditions, and by the penalized form (prox_lp_rows with p = 2 at
the multiplier) giving the same B.

    python examples/python/multitask_fit.py [picture folder]
"""
import matplotlib

matplotlib.use("Agg")
import matplotlib.pyplot as plt  # noqa: E402
import numpy as np  # noqa: E402

import sparsemex  # noqa: E402
from example_support import fista, read_table, save_figure, standardized  # noqa: E402

columns, _, values = read_table("mtcars.csv", True)
values = standardized(values)
tasks = [columns.index("mpg"), columns.index("qsec")]
others = [k for k in range(len(columns)) if k not in tasks]
Y, A = values[:, tasks], values[:, others]
names = [columns[k] for k in others]
z = 1.2
L = np.linalg.norm(A, 2) ** 2
gradient = lambda B: A.T @ (A @ B - Y)  # noqa: E731
B, iterations = fista(gradient, L, np.zeros((A.shape[1], 2)),
                      lambda V: sparsemex.project_l12_ball(V, z).X)

# Optimality: with G the gradient and tau its largest row norm, -G[i] = tau B[i] / ||B[i]||
# on the kept rows and ||G[i]|| <= tau on the others.
G = gradient(B)
tau = np.linalg.norm(G, axis=1).max()
kept = np.linalg.norm(B, axis=1) > 0
violation = np.abs(-G[kept] - tau * B[kept] / np.linalg.norm(B[kept], axis=1)[:, None]).max()
penalized, _ = fista(gradient, L, np.zeros_like(B),
                     lambda V: sparsemex.prox_lp_rows(V, tau / L, 2))
print("Two tasks (mpg, qsec) under sum of row norms <= %g: %d of %d characteristics kept"
      % (z, kept.sum(), kept.size))
print("  %d iterations; optimality violation %.1e; penalized form differs by %.1e"
      % (iterations, violation, np.abs(penalized - B).max()))
assert np.linalg.norm(B, axis=1).sum() <= z * (1 + 1e-12)
assert violation < 1e-6 and np.abs(penalized - B).max() < 1e-6

figure, axes = plt.subplots(figsize=(6, 3.5))
positions = np.arange(len(names))
axes.bar(positions - 0.2, B[:, 0], 0.4, label="mpg", color="0.2")
axes.bar(positions + 0.2, B[:, 1], 0.4, label="qsec", color="0.6")
axes.set_xticks(positions, names)
axes.legend()
axes.set_title("Two tasks, shared characteristics")
save_figure(figure, "multitask_fit")
print("check passed")
