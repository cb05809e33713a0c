# Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
"""The source archive builds alone: it packs every file outside python/ that the build
compiles or includes, and making it writes nothing outside its own folder."""
import os
import re
import subprocess
import sys
import tarfile
from pathlib import Path

PYTHON_DIR = Path(__file__).resolve().parents[2] / "python"
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.M)


def test_source_archive_carries_every_file_the_build_reads(tmp_path):
    families_before = sorted(p.name for p in PYTHON_DIR.iterdir() if p.is_dir())
    subprocess.run([sys.executable, "-c",
                    "import sys; from setuptools import build_meta; "
                    "build_meta.build_sdist(sys.argv[1])", str(tmp_path / "dist")],
                   cwd=PYTHON_DIR, check=True, capture_output=True)
    assert sorted(p.name for p in PYTHON_DIR.iterdir() if p.is_dir()) == families_before

    (archive,) = (tmp_path / "dist").glob("sparsemex-*.tar.gz")
    with tarfile.open(archive) as tar:
        tar.extractall(tmp_path / "unpacked")
    (top,) = (tmp_path / "unpacked").iterdir()
    packed = top / "project"

    # The unpacked build finds the packed project, and compiles the same sources as a clone.
    listing = subprocess.run(
        [sys.executable, "-c", "import sources; print(sources.project_root()); "
         "print('\\n'.join(sources.core_sources())); print(sources.version())"],
        cwd=top, check=True, capture_output=True, text=True).stdout.split("\n")
    assert Path(listing[0]) == packed
    sys.path.insert(0, str(PYTHON_DIR))
    try:
        import sources
        clone_sources = [os.path.relpath(p, sources.project_root()) for p in sources.core_sources()]
        assert listing[-2] == sources.version()
    finally:
        sys.path.remove(str(PYTHON_DIR))
    assert [os.path.relpath(p, packed) for p in listing[1:-2]] == clone_sources

    # Every quoted include of the packed sources and the bindings resolves inside the archive.
    for path in list(packed.rglob("*.[ch]pp")) + list((top / "bindings").glob("*.[ch]pp")):
        for name in INCLUDE.findall(path.read_text(encoding="utf-8")):
            assert any((base / name).is_file() for base in (packed, top / "bindings", path.parent)), \
                "%s includes %s, which the archive lacks" % (path.relative_to(top), name)
