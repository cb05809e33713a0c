from ._errors import Error, Warning
from . import mex
