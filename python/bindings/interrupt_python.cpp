// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
#include "interrupt_python.hpp"

#include <pythread.h>

#include "support/interrupt.hpp"

namespace pyhost {
namespace {

unsigned long mainThreadIdent = 0;

}  // namespace

void rememberMainThread() {
    mainThreadIdent = pybind11::module_::import("threading")
                          .attr("main_thread")()
                          .attr("ident")
                          .cast<unsigned long>();
}

InterruptWatch::InterruptWatch()
    : mainThread_(PyThread_get_thread_ident() == mainThreadIdent),
      nextPoll_(std::chrono::steady_clock::now() + kPollPeriod) {}

InterruptWatch::~InterruptWatch() {
    Py_XDECREF(type_);
    Py_XDECREF(value_);
    Py_XDECREF(traceback_);
}

bool InterruptWatch::poll() {
    if (!mainThread_) return false;
    if (type_ != nullptr) return true;
    const auto now = std::chrono::steady_clock::now();
    if (now < nextPoll_) return false;
    nextPoll_ = now + kPollPeriod;
    pybind11::gil_scoped_acquire acquire;
    if (PyErr_CheckSignals() == 0) return false;
    PyErr_Fetch(&type_, &value_, &traceback_);
    return true;
}

void InterruptWatch::raisePending() {
    if (type_ == nullptr) return;
    PyErr_Restore(type_, value_, traceback_);
    type_ = value_ = traceback_ = nullptr;
    throw pybind11::error_already_set();
}

}  // namespace pyhost

bool interruptRequested() {
    pyhost::InterruptWatch* const* watch = ThreadMark<pyhost::InterruptWatch*>::ofThisThread();
    return watch != nullptr && (*watch)->poll();
}
