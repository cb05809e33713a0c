# Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
"""Calls of the Octave modules from the tests: arguments and results pass through raw
float64 files, so every bit arrives."""
import os
import pathlib
import shutil
import subprocess
import tempfile

import numpy as np

ROOT = pathlib.Path(__file__).resolve().parents[2]


def octave_modules():
    """The folder of the built Octave modules, or None."""
    folder = os.environ.get("SPARSEMEX_OCTAVE_MODULES")
    candidates = [folder, ROOT / "build" / "modules" / "octave",
                  ROOT / "build" / "cmake" / "modules" / "octave"]
    for candidate in candidates:
        if candidate and (pathlib.Path(candidate) / "treeprox.mex").exists():
            return pathlib.Path(candidate)
    return None


def available():
    return shutil.which("octave-cli") is not None and octave_modules() is not None


def call_all(calls):
    """Runs [(module, args, outputs)] in one Octave session; the results of each call as a
    list of column-major arrays (each as a 2-D float64 array)."""
    return _run(calls, errors=False)


def errors_all(calls):
    """Runs [(module, args)] in one Octave session; the (identifier, message) of the error
    that each call raises, or None."""
    return _run([(module, args, 0) for module, args in calls], errors=True)


def _run(calls, errors):
    with tempfile.TemporaryDirectory() as folder:
        folder = pathlib.Path(folder)
        lines = ["addpath('%s');" % octave_modules()]
        for c, (module, args, outputs) in enumerate(calls):
            names = []
            for a, arg in enumerate(args):
                name = "a%d_%d" % (c, a)
                if isinstance(arg, str):
                    lines.append("%s = '%s';" % (name, arg))
                else:
                    array = np.asarray(arg, dtype=np.float64)
                    array = array.reshape(-1, 1) if array.ndim < 2 else array
                    path = folder / (name + ".bin")
                    array.ravel(order="F").tofile(path)
                    lines.append("f = fopen('%s'); %s = reshape(fread(f, Inf, 'double'), %d, %d);"
                                 " fclose(f);" % (path, name, array.shape[0], array.shape[1]))
                names.append(name)
            results = ["r%d_%d" % (c, k) for k in range(outputs)]
            if errors:
                path = folder / ("e%d.txt" % c)
                lines.append("f = fopen('%s', 'w'); try; %s(%s); catch e; "
                             "fprintf(f, '%%s\\n%%s', e.identifier, e.message); end; fclose(f);"
                             % (path, module, ", ".join(names)))
                continue
            lines.append("[%s] = %s(%s);" % (", ".join(results), module, ", ".join(names)))
            for k, result in enumerate(results):
                lines.append("f = fopen('%s', 'w'); fwrite(f, double(%s), 'double'); fclose(f);"
                             % (folder / (result + ".bin"), result))
                lines.append("f = fopen('%s', 'w'); fprintf(f, '%%d %%d', size(%s)); fclose(f);"
                             % (folder / (result + ".shape"), result))
        script = folder / "calls.m"
        script.write_text("\n".join(lines) + "\n")
        subprocess.run(["octave-cli", "--norc", "--no-history", "--quiet", str(script)],
                       check=True, capture_output=True, timeout=300)
        if errors:
            texts = [(folder / ("e%d.txt" % c)).read_text() for c in range(len(calls))]
            return [tuple(text.split("\n", 1)) if text else None for text in texts]
        out = []
        for c, (_, _, outputs) in enumerate(calls):
            got = []
            for k in range(outputs):
                rows, cols = map(int, (folder / ("r%d_%d.shape" % (c, k))).read_text().split())
                data = np.fromfile(folder / ("r%d_%d.bin" % (c, k)), dtype=np.float64)
                got.append(data.reshape(rows, cols, order="F"))
            out.append(got)
        return out
