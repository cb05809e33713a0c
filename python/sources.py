# Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
"""What the Python build takes from the project: the family list, the exact-arithmetic flags
and the version, read where the CMake build reads them, so that both builds compile the same
cores the same way."""
import glob
import os
import re


def project_root():
    return os.path.dirname(os.path.dirname(os.path.abspath(__file__)))


def families():
    """The families of CMakeLists.txt's SPARSEMEX_FAMILIES."""
    with open(os.path.join(project_root(), "CMakeLists.txt"), encoding="utf-8") as cmake:
        found = re.search(r"set\(SPARSEMEX_FAMILIES([^)]*)\)", cmake.read())
    if not found:
        raise RuntimeError("CMakeLists.txt sets no SPARSEMEX_FAMILIES")
    return found.group(1).split()


def exact_flags(msvc):
    """The exact-arithmetic flags of CMakeLists.txt's SPARSEMEX_EXACT_FLAGS: MSVC's, or those
    of GCC and Clang."""
    with open(os.path.join(project_root(), "CMakeLists.txt"), encoding="utf-8") as cmake:
        sets = re.findall(r"set\(SPARSEMEX_EXACT_FLAGS([^)]*)\)", cmake.read())
    for flags in sets:
        flags = flags.split()
        if flags and flags[0].startswith("/") == msvc:
            return flags
    raise RuntimeError("CMakeLists.txt sets no SPARSEMEX_EXACT_FLAGS for this compiler")


def core_sources():
    """Each family's core, <family>/*.cpp, as CMake's add_family compiles it."""
    root = project_root()
    return [path for family in families()
            for path in sorted(glob.glob(os.path.join(root, family, "*.cpp")))]


def version():
    """The release written in toolbox/sparsemex_version.m."""
    with open(os.path.join(project_root(), "toolbox", "sparsemex_version.m"), encoding="utf-8") as f:
        found = re.search(r"^version = '([0-9]+\.[0-9]+\.[0-9]+)';$", f.read(), re.M)
    if not found:
        raise RuntimeError("no version in toolbox/sparsemex_version.m")
    return found.group(1)
