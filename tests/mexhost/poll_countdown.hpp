// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// The tests' stand-in for Ctrl-C: the interrupt polls of a routine see an interrupt from a
// chosen poll on. The embedded host and the unit tests' hook both count with it.
#pragma once

class PollCountdown {
public:
    // An interrupt from the `polls`-th poll on, counted from now; 0 turns it off.
    void start(long long polls) { remaining_ = polls; }

    // One poll: whether the interrupt has come.
    bool poll() {
        if (remaining_ == 0) return false;
        if (remaining_ == 1) return true;
        --remaining_;
        return false;
    }

private:
    long long remaining_ = 0;
};
