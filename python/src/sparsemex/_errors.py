# Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
"""The exception and warning classes of sparsemex."""


class Error(ValueError):
    """A call that sparsemex refused or could not complete.

    Attributes
    ----------
    identifier : str
        ``"<module>:<reason>"``, the error identifier that the MATLAB and Octave modules
        raise for the same failure, e.g. ``"simplexShadow:notFinite"``.
    """

    def __init__(self, identifier, message):
        super().__init__(message)
        self.identifier = identifier

    def __reduce__(self):
        # Rebuilt from both arguments, so that it crosses process boundaries (pickle,
        # multiprocessing, a Dask worker) with its identifier.
        return (type(self), (self.identifier, str(self)))


class Warning(UserWarning):  # noqa: A001 - sparsemex.Warning, as the package names it
    """What a routine reports while still delivering its result (an iteration limit met)."""
