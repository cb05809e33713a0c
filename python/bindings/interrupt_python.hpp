// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// Ctrl-C during a routine that the package runs with the GIL released.
//
// Python notes a signal in a flag that only the main thread, holding the GIL, may read and
// act on (PyErr_CheckSignals). So a routine called on the main thread polls by taking the GIL
// back for a moment; the exception that the signal's handler raises (KeyboardInterrupt) is
// kept and raised again once the routine has failed with reason "interrupted". Calls on other
// threads, and the routines' own worker threads, never see an interrupt, as in Python.
//
// Taking the GIL waits while another Python thread runs (up to its switch interval, 5 ms), so
// Python's signals are asked at most once per kPollPeriod of the routine's time: a Ctrl-C
// still ends the call within a fraction of a second, and a busy Python thread beside it costs
// it a few per cent at worst.
#pragma once

#include <pybind11/pybind11.h>

#include <chrono>

#include "support/thread_marks.hpp"

namespace pyhost {

// While alive, interruptRequested on this thread polls Python's signals, if this is the main
// thread. Made and ended with the GIL held.
class InterruptWatch {
public:
    InterruptWatch();
    ~InterruptWatch();
    InterruptWatch(const InterruptWatch&) = delete;
    InterruptWatch& operator=(const InterruptWatch&) = delete;

    // Raises the exception of the signal handler, if a poll caught one.
    void raisePending();

    // Called by interruptRequested on the thread that made the watch (GIL released).
    bool poll();

    static constexpr std::chrono::milliseconds kPollPeriod{50};

private:
    bool mainThread_;
    std::chrono::steady_clock::time_point nextPoll_;
    PyObject* type_ = nullptr;
    PyObject* value_ = nullptr;
    PyObject* traceback_ = nullptr;
    // Found by interruptRequested on this thread; the newest watch of a thread wins.
    ThreadMark<InterruptWatch*> mark_{this};
};

// Records which thread is Python's main thread; called once at import.
void rememberMainThread();

}  // namespace pyhost
