# Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
"""The sparse inverse correlation of the mtcars characteristics (the graphical lasso).

A zero in the precision matrix says that two characteristics are unrelated given all the
others. graphical_lasso estimates it with an L1 penalty; the estimate is checked by the
optimality conditions, and against scikit-learn's graphical lasso on the same problem.

    python examples/python/sparse_precision.py [picture folder]
"""
import matplotlib

matplotlib.use("Agg")
import matplotlib.pyplot as plt  # noqa: E402
import numpy as np  # noqa: E402
from sklearn.covariance import graphical_lasso  # noqa: E402

import sparsemex  # noqa: E402
from example_support import read_table, save_figure  # noqa: E402

columns, _, values = read_table("mtcars.csv", True)
S = np.corrcoef(values, rowvar=False)
p = S.shape[0]
alpha = 0.2
precision, covariance = sparsemex.graphical_lasso(S, alpha, tol_x=1e-10, tol_outer=1e-10,
                                                  max_iter=1000, max_outer=500)

# Optimality of  max log det X - tr(S X) - alpha sum |X_ij|:  inv(X) - S = alpha sign(X) on the
# nonzero entries, |inv(X) - S| <= alpha on the others.
gradient = np.linalg.inv(precision) - S
nonzero = precision != 0
violation = max(np.abs(gradient - alpha * np.sign(precision))[nonzero].max(),
                np.maximum(np.abs(gradient) - alpha, 0)[~nonzero].max(initial=0))
# scikit-learn leaves the diagonal unpenalised: our problem is its problem on S + alpha I.
_, reference = graphical_lasso(S + alpha * np.eye(p), alpha, mode="cd", tol=1e-10,
                               max_iter=1000)
pairs = [(columns[i], columns[j]) for i in range(p) for j in range(i + 1, p)
         if precision[i, j] != 0]
print("Sparse inverse correlation of %d characteristics, alpha = %g" % (p, alpha))
print("  %d of %d pairs related; optimality violation %.1e; largest difference from "
      "scikit-learn %.1e" % (len(pairs), p * (p - 1) // 2, violation,
                             np.abs(precision - reference).max()))
print("  related: " + ", ".join("%s-%s" % pair for pair in pairs))
assert violation < 1e-6, "the estimate is not optimal"
assert np.abs(precision - reference).max() < 1e-4, "the estimate differs from the reference"

figure, axes = plt.subplots(figsize=(5, 4.5))
shown = np.where(nonzero, precision, np.nan)
image = axes.imshow(shown, cmap="RdBu_r", vmin=-np.abs(precision).max(),
                    vmax=np.abs(precision).max())
axes.set_xticks(range(p), columns, rotation=90)
axes.set_yticks(range(p), columns)
axes.set_title("Sparse precision of the mtcars characteristics")
figure.colorbar(image)
save_figure(figure, "sparse_precision")
print("check passed")
