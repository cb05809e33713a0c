// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
#include "fast_calls.hpp"

#include <pybind11/numpy.h>

#include <cmath>
#include <cstring>
#include <exception>
#include <initializer_list>
#include <string>
#include <vector>

#include "chain/chain.hpp"
#include "support/console.hpp"
#include "interrupt_python.hpp"
#include "monotone/monotone.hpp"
#include "projection/projection.hpp"
#include "routine_call.hpp"
#include "support/value_checks.hpp"

namespace pyhost {
namespace {

namespace py = pybind11;

// Below this many elements a routine runs without releasing the GIL, which would cost more
// than the work; above it, other Python threads run meanwhile.
const long long kHeldGilLimit = 1 << 14;

// The data of a contiguous float64 vector, or null for any other object.
const double* vectorData(py::handle object, long long& n) {
    if (!py::array_t<double>::check_(object)) return nullptr;
    auto array = py::reinterpret_borrow<py::array>(object);
    if (array.ndim() != 1 || !(array.flags() & py::array::c_style)) return nullptr;
    n = array.shape(0);
    return static_cast<const double*>(array.data());
}

// A zero-filled vector of n elements, as the general path creates its outputs.
py::array_t<double> zeroVector(long long n) {
    py::array_t<double> vector(static_cast<py::ssize_t>(n));
    if (n > 0) std::memset(vector.mutable_data(), 0, static_cast<std::size_t>(n) * sizeof(double));
    return vector;
}

// The thread count of a threads= argument: None gives 0 (the default), a positive int
// itself; anything else -1, for the general path to refuse.
int threadCount(py::handle threads) {
    if (threads.is_none()) return 0;
    if (!PyLong_CheckExact(threads.ptr())) return -1;
    const long count = PyLong_AsLong(threads.ptr());
    if (count < 1 || count > 1024) {
        PyErr_Clear();
        return -1;
    }
    return static_cast<int>(count);
}

// Runs the routine on `threads` threads (0: the default); whether it delivered without a
// failure and without printing.
template <class Routine>
bool delivered(long long n, int threads, const Routine& routine) {
    std::vector<std::string> texts;
    bool failed = false;
    InterruptWatch watch;
    ThreadCount count(threads);
    const auto run = [&] {
        try {
            ConsoleHold hold(texts);
            routine();
        } catch (const std::exception&) {
            failed = true;
        }
    };
    if (n < kHeldGilLimit) {
        run();
    } else {
        py::gil_scoped_release release;
        run();
    }
    watch.raisePending();
    return !failed && texts.empty();
}

// The named tuple `type` (a tuple subclass) of `items`, made as tuple's own constructor makes
// its subclasses' instances: calling the class costs more than a short routine.
py::object namedTuple(py::handle type, std::initializer_list<py::object> items) {
    auto* cls = reinterpret_cast<PyTypeObject*>(type.ptr());
    PyObject* tuple = cls->tp_alloc(cls, static_cast<Py_ssize_t>(items.size()));
    if (tuple == nullptr) throw py::error_already_set();
    Py_ssize_t k = 0;
    for (const py::object& item : items) PyTuple_SET_ITEM(tuple, k++, item.inc_ref().ptr());
    return py::reinterpret_steal<py::object>(tuple);
}

// simplexShadow(x, root, steps, v, n, z, lambda0) for z >= 0: resultType(x, root, steps), or
// None. The routine checks v in its first pass and writes every element of x.
py::object projectL1Ball(py::handle v, py::handle radius, py::handle start,
                         py::handle resultType, py::handle threadsArgument) {
    long long n = 0;
    const double* data = vectorData(v, n);
    const int threads = threadCount(threadsArgument);
    if (data == nullptr || n > 2147483647 || threads < 0 || !PyFloat_Check(radius.ptr()) ||
        !PyFloat_Check(start.ptr()))
        return py::none();
    const double z = PyFloat_AS_DOUBLE(radius.ptr());
    const double lambda0 = PyFloat_AS_DOUBLE(start.ptr());
    if (!(z >= 0)) return py::none();
    py::array_t<double> x(static_cast<py::ssize_t>(n));
    double root = 0;
    int steps = 0;
    double* out = x.mutable_data();
    if (!delivered(n, threads, [&] {
            simplexShadow(out, &root, &steps, data, static_cast<int>(n), z, lambda0);
        }))
        return py::none();
    return namedTuple(resultType, {std::move(x), py::float_(root), py::int_(steps)});
}

// x = fit(v, n) on a vector v that passes `check`: x, or None.
template <void (*Fit)(double*, const double*, int), long long (*Check)(const double*, long long,
                                                                       long long)>
py::object vectorFit(py::handle v, py::handle threadsArgument) {
    long long n = 0;
    const double* data = vectorData(v, n);
    const int threads = threadCount(threadsArgument);
    if (data == nullptr || n > 2147483647 || threads < 0 || Check(data, n, 1) != -1)
        return py::none();
    py::array_t<double> x = zeroVector(n);
    double* out = x.mutable_data();
    if (!delivered(n, threads, [&] { Fit(out, data, static_cast<int>(n)); })) return py::none();
    return std::move(x);
}

}  // namespace

void bindFastCalls(py::module_& module) {
    module.def("fast_project_l1_ball", projectL1Ball);
    module.def("fast_chainAscend", vectorFit<chainAscend, valuecheck::finiteSumCheck>);
    module.def("fast_chainDescend", vectorFit<chainDescend, valuecheck::finiteSumCheck>);
    module.def("fast_isoHierBinary", vectorFit<isoHierBinary, valuecheck::firstNonFinite>);
    module.def("fast_isoHierDepth1", vectorFit<isoHierDepth1, valuecheck::firstNonFinite>);
}

}  // namespace pyhost
