# Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
"""What the Python examples share: the data sets of examples/data, accelerated projected
gradient, and where pictures go (the folder given as the first argument, or the current one;
an example never writes over a file that exists, so tracked pictures stay as they are)."""
import csv
import pathlib
import sys

import numpy as np

DATA = pathlib.Path(__file__).resolve().parents[1] / "data"


def read_table(name, first_column_names):
    """(column names, row names or None, values) of a CSV file of examples/data."""
    with open(DATA / name, newline="") as f:
        rows = list(csv.reader(f))
    header, body = rows[0], rows[1:]
    if first_column_names:
        return header[1:], [row[0] for row in body], np.array(
            [[float(x) for x in row[1:]] for row in body])
    return header, None, np.array([[float(x) for x in row] for row in body])


def standardized(values):
    return (values - values.mean(axis=0)) / values.std(axis=0, ddof=1)


def fista(gradient, lipschitz, start, project, tolerance=1e-12, most=50000):
    """Accelerated projected gradient: the fixed point of project(x - gradient(x) / L)."""
    x = w = start
    t = 1.0
    for iteration in range(1, most + 1):
        following = project(w - gradient(w) / lipschitz)
        t_next = (1 + np.sqrt(1 + 4 * t * t)) / 2
        w = following + ((t - 1) / t_next) * (following - x)
        change = np.linalg.norm(following - x)
        x, t = following, t_next
        if change <= tolerance * max(1.0, np.linalg.norm(x)):
            return x, iteration
    return x, most


def save_figure(figure, name):
    """Saves the figure as <name>_python.png in the folder named by the first argument (or
    the current one), unless such a file exists; returns its path or None."""
    folder = pathlib.Path(sys.argv[1]) if len(sys.argv) > 1 else pathlib.Path.cwd()
    folder.mkdir(parents=True, exist_ok=True)
    path = folder / (name + "_python.png")
    if path.exists():
        print("  %s exists: picture not saved" % path)
        return None
    figure.savefig(path, dpi=100, bbox_inches="tight")
    print("  picture: %s" % path)
    return path
