// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// One call of a core routine from Python: its arguments taken from a tuple, the routine run
// with the GIL released, and its outcome handed back.
//
// The Python layer has checked and converted every argument before (sparsemex/_call.py):
// arrays arrive as NumPy arrays of the routine's element type, contiguous, outputs writable,
// so that the routine reads and writes their memory directly. A tuple element of any other
// kind is a fault of the package and raises TypeError.
//
// The outcome is a tuple (reason, message, texts): reason None when the routine delivered,
// else its failure's reason and text; texts are what it printed, call by call, for the
// Python layer to pass on as warnings or progress. A pending Ctrl-C raises KeyboardInterrupt.
#pragma once

#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>

#include <cstddef>
#include <cstdint>
#include <new>
#include <stdexcept>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "support/console.hpp"
#include "support/parallel.hpp"
#include "support/reasons.hpp"
#include "support/routine_failure.hpp"
#include "interrupt_python.hpp"

namespace pyhost {

namespace py = pybind11;

// The data of a NumPy array of element type T: contiguous, and writable when the routine
// writes it.
template <class T>
T* arrayData(py::handle object, bool writes) {
    if (!py::array_t<T>::check_(object)) throw py::type_error("sparsemex: array of wrong type");
    auto array = py::reinterpret_borrow<py::array>(object);
    const bool contiguous = (array.flags() & py::array::c_style) || (array.flags() & py::array::f_style);
    if (!contiguous || (writes && !array.writeable()))
        throw py::type_error("sparsemex: array not contiguous or not writable");
    return static_cast<T*>(const_cast<void*>(array.data()));
}

// An argument as the routine takes it, held for the length of the call.
template <class P>
struct Argument {
    explicit Argument(py::handle object) : value(object.cast<P>()) {}
    P get() const { return value; }
    P value;
};

template <class T>
struct Argument<T*> {
    explicit Argument(py::handle object) : data(arrayData<T>(object, true)) {}
    T* get() const { return data; }
    T* data;
};

template <class T>
struct Argument<const T*> {
    explicit Argument(py::handle object) : data(arrayData<T>(object, false)) {}
    const T* get() const { return data; }
    const T* data;
};

template <>
struct Argument<const char*> {
    explicit Argument(py::handle object) : text(object.cast<std::string>()) {}
    const char* get() const { return text.c_str(); }
    std::string text;
};

// Sets the thread count of the calls made on this thread, for one call (0: the default).
class ThreadCount {
public:
    explicit ThreadCount(int threads) : mark_(parallel::CallerThreadCount{threads}) {}

private:
    ThreadMark<parallel::CallerThreadCount> mark_;
};

template <class R, class... P, std::size_t... I>
py::tuple callWith(R (*routine)(P...), const py::tuple& args, int threads,
                   std::index_sequence<I...>) {
    if (args.size() != sizeof...(P)) throw py::type_error("sparsemex: wrong argument count");
    const std::tuple<Argument<P>...> held{Argument<P>(args[I])...};

    std::vector<std::string> texts;
    const char* reason = nullptr;
    std::string message;
    InterruptWatch watch;
    {
        py::gil_scoped_release release;
        ThreadCount count(threads);
        try {
            ConsoleHold hold(texts);
            routine(std::get<I>(held).get()...);
        } catch (const RoutineFailure& failure) {
            reason = failure.reason();
            message = failure.what();
        } catch (const std::bad_alloc&) {
            reason = reason::outOfMemory;
            message = "out of memory";
        } catch (const std::length_error&) {
            reason = reason::outOfMemory;
            message = "out of memory";
        } catch (const std::exception& error) {
            reason = reason::internalError;
            message = error.what();
        }
    }
    watch.raisePending();
    py::list printed;
    for (const std::string& text : texts) printed.append(py::str(text));
    return py::make_tuple(reason == nullptr ? py::object(py::none()) : py::object(py::str(reason)),
                          message, printed);
}

// Binds `routine` as name(args, threads=0) -> (reason, message, texts).
template <class R, class... P>
void bindRoutine(py::module_& module, const char* name, R (*routine)(P...)) {
    module.def(
        name,
        [routine](const py::tuple& args, int threads) {
            return callWith(routine, args, threads, std::index_sequence_for<P...>{});
        },
        py::arg("args"), py::arg("threads") = 0);
}

}  // namespace pyhost
