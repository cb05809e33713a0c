// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// Ctrl-C through the embedded host's hook: a long call fails with "<module>:interrupted", an
// error like any other, whichever way the gateway reaches its routine.
#pragma once

#include <string>
#include <vector>

#include "tests/gateway/support/modules.hpp"
#include "tests/support/thread_count.hpp"

namespace modules {

// Calls the module with an interrupt pending from its first poll on, on one thread (whose
// polls are the ones that see it), and expects "<module>:interrupted"; the hook is off after.
inline void expectInterrupted(const std::string& name, int nlhs,
                              const std::vector<const mexhost::Array*>& inputs) {
    testthreads::ThreadsVariable oneThread(1);
    struct Pending {
        Pending() { mexhost::interruptAtPoll(1); }
        ~Pending() { mexhost::interruptAtPoll(0); }
    } pending;
    expectError(get(name), nlhs, inputs, name + ":interrupted");
}

}  // namespace modules
