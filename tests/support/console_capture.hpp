// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// The core's console in the unit tests: what the routines print is kept for the test.
#pragma once

#include <string>

// Returns what the routines printed since the last call, and forgets it.
std::string takeConsoleOutput();
