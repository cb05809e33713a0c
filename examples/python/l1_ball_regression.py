# Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
"""Sparse regression under an L1-ball constraint, on real data.

Fuel consumption (mpg) of 32 cars explained by their 10 other characteristics,
standardized:  minimize 0.5 ||A b - y||^2  subject to  sum |b| <= z,  by accelerated
projected gradient, each iteration projecting onto the ball with project_l1_ball warm-started
from the previous threshold. Checked by the optimality conditions.

    python examples/python/l1_ball_regression.py [picture folder]
"""
import matplotlib

matplotlib.use("Agg")
import matplotlib.pyplot as plt  # noqa: E402
import numpy as np  # noqa: E402

import sparsemex  # noqa: E402
from example_support import fista, read_table, save_figure, standardized  # noqa: E402

columns, cars, values = read_table("mtcars.csv", True)
y = values[:, 0] - values[:, 0].mean()
A = standardized(values[:, 1:])
names = columns[1:]
z = 5.0
threshold = 0.0
steps = 0


def project(w):
    global threshold, steps
    b, threshold, taken = sparsemex.project_l1_ball(w, z, threshold)
    steps += taken
    return b


b, iterations = fista(lambda b: A.T @ (A @ b - y), np.linalg.norm(A, 2) ** 2,
                      np.zeros(A.shape[1]), project)

# Optimality: with g the gradient and tau its largest magnitude, -g = tau sign(b) on the
# support of b.
g = A.T @ (A @ b - y)
tau = np.abs(g).max()
gap = np.abs(-g[b != 0] - tau * np.sign(b[b != 0])).max()
print("Least squares under sum(|b|) <= %g on %d cars, %d characteristics" % (z, *A.shape))
print("  %d iterations, %.2f projection steps per call" % (iterations, steps / iterations))
print("  sum(|b|) = %.6f; optimality: largest violation %.2e" % (np.abs(b).sum(), gap))
for k in np.argsort(-np.abs(b)):
    if b[k]:
        print("    %-5s %8.4f" % (names[k], b[k]))
assert np.abs(b).sum() <= z * (1 + 1e-12), "the solution left the L1 ball"
assert gap < 1e-6, "the solution is not optimal"

figure, axes = plt.subplots(figsize=(6, 3.5))
axes.bar(names, b, color="0.3")
axes.set_ylabel("mpg per standard deviation")
axes.set_title("mpg under sum(|b|) <= %g" % z)
save_figure(figure, "l1_ball_regression")
print("check passed")
