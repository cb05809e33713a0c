# Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
"""The Python examples run, pass their own checks and save their pictures where asked."""
import pathlib
import subprocess
import sys

import pytest

EXAMPLES = pathlib.Path(__file__).resolve().parents[2] / "examples" / "python"
SCRIPTS = sorted(path for path in EXAMPLES.glob("*.py") if path.name != "example_support.py")


@pytest.mark.parametrize("script", SCRIPTS, ids=lambda path: path.stem)
def test_example_checks_itself_and_saves_its_picture(script, tmp_path):
    done = subprocess.run([sys.executable, str(script), str(tmp_path)], capture_output=True,
                          text=True, timeout=600, cwd=tmp_path)
    assert done.returncode == 0, done.stderr
    assert done.stdout.rstrip().endswith("check passed")
    assert (tmp_path / (script.stem + "_python.png")).stat().st_size > 0
