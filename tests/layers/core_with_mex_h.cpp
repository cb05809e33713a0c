// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// A core that includes the MEX interface: compiled as a core, it must not build.
#include "mex.h"
