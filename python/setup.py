# Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
"""Builds the extension sparsemex._core from the cores of the families, the same sources the
CMake build compiles (sources.py names them), and the Python host's bindings."""
import os
import sys

from pybind11.setup_helpers import WIN, ParallelCompile, Pybind11Extension, build_ext
from setuptools import setup
from setuptools.command.sdist import sdist

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from sources import (PACKED, core_sources, exact_flags, project_files,  # noqa: E402
                     project_root, version)

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = project_root()

# At most two compilers at once, or NPY_NUM_BUILD_JOBS.
ParallelCompile("NPY_NUM_BUILD_JOBS", default=2).install()

# WIN: Windows with Microsoft's compiler. A MinGW-w64 Python builds with GCC's options and
# links the compiler's own runtime in (the threads library whole, as the C++ runtime asks for
# it after this list), so that the module needs no DLL beside Python's and the system's.
MINGW_RUNTIME = ["-static-libgcc", "-static-libstdc++",
                 "-Wl,-Bstatic,--whole-archive,-lwinpthread,--no-whole-archive,-Bdynamic"]
if WIN:
    flags, link_flags = exact_flags(msvc=True) + ["/utf-8"], []
elif sys.platform == "win32":
    flags, link_flags = exact_flags(msvc=False) + ["-O2"], MINGW_RUNTIME
else:
    flags, link_flags = exact_flags(msvc=False) + ["-O2"], ["-pthread"]

bindings = [os.path.join("bindings", name) for name in
            ("module.cpp", "fast_calls.cpp", "console_python.cpp", "interrupt_python.cpp")]

core = Pybind11Extension(
    "sparsemex._core",
    sorted(bindings) + [os.path.relpath(path, HERE) for path in core_sources()],
    include_dirs=[ROOT, os.path.join(HERE, "bindings")],
    cxx_std=17,
    extra_compile_args=flags,
    extra_link_args=link_flags,
)

# The version, written where the package reads it at run time.
with open(os.path.join(HERE, "src", "sparsemex", "_version.py"), "w", encoding="utf-8") as f:
    f.write('__version__ = "%s"\n' % version())


class BuildExt(build_ext):
    """The extension's build, which lists for source archives only its sources inside python/:
    those of the project, named ../<family>/..., would be copied beside the archive's folder."""

    def get_source_files(self):
        return [path for path in super().get_source_files()
                if not os.path.normpath(path).startswith(os.pardir)]


class PackedSdist(sdist):
    """A source archive that builds alone: the project's files that the build reads travel in
    it under project/, where sources.project_root() looks first."""

    def make_release_tree(self, base_dir, files):
        super().make_release_tree(base_dir, files)
        for path in project_files():
            target = os.path.join(base_dir, PACKED, os.path.relpath(path, ROOT))
            self.mkpath(os.path.dirname(target))
            self.copy_file(path, target)


setup(version=version(), ext_modules=[core], cmdclass={"build_ext": BuildExt, "sdist": PackedSdist})
