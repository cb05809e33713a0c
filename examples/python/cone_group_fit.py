# Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
"""A group-sparse fit written with second-order cones, on real data.

Fertility in 47 Swiss provinces in 1888 (swiss), explained by five standardized indicators
in three groups: the economy and schooling, religion, health. Each group k gets a bound t_k
on the norm of its coefficients, paid for at mu_k:

    minimize 0.5 ||A b - y||^2 + sum_k mu_k t_k   subject to   ||b[group k]|| <= t_k

by accelerated projected gradient on (b, t), each group projected with its bound onto the
cone by project_cone_groups. At the optimum b is the group lasso fit with weights mu_k, whose
optimality conditions are the check.

    python examples/python/cone_group_fit.py [picture folder]
"""
import matplotlib

matplotlib.use("Agg")
import matplotlib.pyplot as plt  # noqa: E402
import numpy as np  # noqa: E402

import sparsemex  # noqa: E402
from example_support import read_table, save_figure, standardized  # noqa: E402

columns, _, values = read_table("swiss.csv", True)
values = standardized(values)
groups = [["Agriculture", "Examination", "Education"], ["Catholic"], ["Infant.Mortality"]]
y = values[:, columns.index("Fertility")]
A = np.column_stack([values[:, columns.index(name)] for group in groups for name in group])
boundaries = np.cumsum([0] + [len(group) for group in groups])
members = [slice(boundaries[k], boundaries[k + 1]) for k in range(len(groups))]
sizes = np.diff(boundaries)
entry = [np.linalg.norm(A[:, group].T @ y) / np.sqrt(size) for group, size in zip(members, sizes)]
mu = 0.7 * max(entry) * np.sqrt(sizes)

L = np.linalg.norm(A, 2) ** 2
b, t = np.zeros(A.shape[1]), np.zeros(len(groups))
wb, wt, s = b, t, 1.0
for iteration in range(1, 50001):
    b_next, t_next = sparsemex.project_cone_groups(wb - A.T @ (A @ wb - y) / L, wt - mu / L,
                                                   boundaries)
    s_next = (1 + np.sqrt(1 + 4 * s * s)) / 2
    wb = b_next + ((s - 1) / s_next) * (b_next - b)
    wt = t_next + ((s - 1) / s_next) * (t_next - t)
    change = np.linalg.norm(np.r_[b_next - b, t_next - t])
    b, t, s = b_next, t_next, s_next
    if change <= 1e-13 * max(1.0, np.linalg.norm(np.r_[b, t])):
        break

r = y - A @ b
violation = 0.0
for k, group in enumerate(members):
    correlation = A[:, group].T @ r
    norm = np.linalg.norm(b[group])
    if norm > 0:
        violation = max(violation, np.abs(correlation - mu[k] * b[group] / norm).max())
    else:
        violation = max(violation, np.linalg.norm(correlation) - mu[k])
    violation = max(violation, abs(t[k] - norm))
print("Group-sparse fit of Fertility in %d provinces through %d second-order cones"
      % (y.size, len(groups)))
for k, group in enumerate(groups):
    print("  %-45s bound %.4f, weight %.3f" % (", ".join(group), t[k], mu[k]))
print("  %d iterations; optimality violation of the group lasso conditions: %.1e"
      % (iteration, violation))
assert violation < 1e-8, "the fit is not optimal"
assert (t == 0).any() and (t > 0).any(), "the weights should keep some groups and drop others"

figure, axes = plt.subplots(figsize=(6, 3.5))
names = [name for group in groups for name in group]
axes.bar(names, b, color=["C%d" % k for k, group in enumerate(groups) for _ in group])
axes.set_ylabel("coefficient (fertility per sd)")
axes.set_title("Swiss fertility: groups kept and dropped")
plt.setp(axes.get_xticklabels(), rotation=20)
save_figure(figure, "cone_group_fit")
print("check passed")
