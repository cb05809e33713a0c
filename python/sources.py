# Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
"""What the Python build takes from the project: the family list and the exact-arithmetic
flags from the manifest that every build reads, and the version, so that all builds compile
the same cores the same way."""
import glob
import os
import re


HERE = os.path.dirname(os.path.abspath(__file__))
# Where a source archive carries the files of the project that the build reads.
PACKED = "project"


def project_root():
    """The project's top folder: the clone's, or in a source archive its packed copy."""
    packed = os.path.join(HERE, PACKED)
    if os.path.isfile(os.path.join(packed, "manifest.txt")):
        return packed
    return os.path.dirname(HERE)


def manifest():
    """The project's manifest.txt: one "name = values" line per list, "#" starting a comment
    line, as CMake, build_modules.m and the Octave package read it."""
    lists = {}
    with open(os.path.join(project_root(), "manifest.txt"), encoding="utf-8") as lines:
        for line in lines:
            line = line.strip()
            if not line or line.startswith("#"):
                continue
            name, _, values = line.partition("=")
            lists[name.strip()] = values.split()
    return lists


def families():
    """The families the manifest lists."""
    return manifest()["families"]


def exact_flags(msvc):
    """The manifest's exact-arithmetic flags: MSVC's, or those of GCC and Clang."""
    return manifest()["exact_flags_msvc" if msvc else "exact_flags_gnu"]


def core_sources():
    """Each family's core, <family>/*.cpp, as CMake's add_family compiles it."""
    root = project_root()
    return [path for family in families()
            for path in sorted(glob.glob(os.path.join(root, family, "*.cpp")))]


def project_files():
    """Every file outside python/ that the build reads, which a source archive packs: the
    manifest, the version, the licence, and the sources and headers of the families, of the
    folders they share and of support/ (whose headers are host-free)."""
    root = project_root()
    lists = manifest()
    files = [os.path.join(root, name) for name in
             ("manifest.txt", "COPYING", os.path.join("toolbox", "sparsemex_version.m"))]
    for folder in lists["families"] + lists["shared_headers"] + ["support"]:
        files += sorted(glob.glob(os.path.join(root, folder, "*.cpp")) +
                        glob.glob(os.path.join(root, folder, "*.hpp")))
    return files


def version():
    """The release written in toolbox/sparsemex_version.m."""
    with open(os.path.join(project_root(), "toolbox", "sparsemex_version.m"), encoding="utf-8") as f:
        found = re.search(r"^version = '([0-9]+\.[0-9]+\.[0-9]+)';$", f.read(), re.M)
    if not found:
        raise RuntimeError("no version in toolbox/sparsemex_version.m")
    return found.group(1)
