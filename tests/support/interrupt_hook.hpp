// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// The core's interrupt poll in the unit tests: a test says at which poll Ctrl-C "arrives".
#pragma once

// The routines' polls see an interrupt from the `polls`-th poll on; 0 turns it off.
void interruptAtPoll(long long polls);
