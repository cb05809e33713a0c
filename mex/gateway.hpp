// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// What every gateway uses: argument checks, typed getters, output creation and error raising.
//
// A gateway reads in four sections: check and get the inputs, create the outputs, call the
// routine, deliver the outputs. Every check raises "<module>:<reason>" with a message naming
// the argument, before any data is touched. Every reason, the checks' here and a module's own,
// is a constant of support/reasons.hpp. Nothing here owns memory, so raising an error is safe on
// every host (MATLAB may leave the gateway with longjmp).
#pragma once

#include "mex.h"

#include <cstddef>
#include <exception>
#include <new>

#include "support/argument_failures.hpp"
#include "support/reasons.hpp"
#include "support/routine_failure.hpp"
#include "support/truncate.hpp"
#include "support/value_checks.hpp"

// A module's one export. Its sources are compiled with every other symbol hidden where the
// compiler can (GCC, Clang), so that a module neither offers its routines to the modules
// loaded beside it nor binds to theirs; the linker's list of exports says the same on every
// platform.
#if defined(__GNUC__) && !defined(_WIN32)
#define MEX_MODULE_EXPORT __attribute__((visibility("default")))
#else
#define MEX_MODULE_EXPORT
#endif
extern "C" MEX_MODULE_EXPORT void mexFunction(int nlhs, mxArray* plhs[], int nrhs,
                                              const mxArray* prhs[]);

namespace gateway {

// The host's conversion of an integer parameter (support/truncate.hpp).
using ::truncateToInt;

// A routine's failure, copied out of its exception so that the error is raised after every
// scope of the routine has been left.
struct Failure {
    bool failed = false;
    char reason[48] = {};
    char message[400] = {};

    static Failure of(const char* reason, const char* message);
};

// Runs a core routine; a RoutineFailure or a failed allocation becomes a Failure record, and
// so does any other exception: none may leave a gateway, where it can end the host.
template <class Routine>
Failure attempt(Routine&& routine) noexcept {
    try {
        routine();
        return Failure{};
    } catch (const RoutineFailure& failure) {
        return Failure::of(failure.reason(), failure.what());
    } catch (const std::bad_alloc&) {
        return Failure::of(reason::outOfMemory, "out of memory");
    } catch (const std::exception& error) {
        return Failure::of(reason::internalError, error.what());
    } catch (...) {
        return Failure::of(reason::internalError, "an exception of unknown type");
    }
}

// Whether the caller left the warning `identifier` on: asks the host warning('query', id),
// so that warning('off', id) can turn off a module's optional output. Call it on the calling
// thread, before the computation; a host that cannot answer counts as 'on'.
bool warningEnabled(const char* identifier);

// New real, zero-filled output arrays.
mxArray* newMatrix(std::size_t rows, std::size_t cols);
mxArray* newInt32Scalar();

// A column-major matrix given to a module as its data, its row count and its column count.
struct Matrix {
    const double* data;
    int rows;
    int cols;
    std::ptrdiff_t size() const { return static_cast<std::ptrdiff_t>(rows) * cols; }
};

// The arguments of one call of a module.
class Call {
public:
    // usage: the calling syntax, shown when the argument count is wrong.
    Call(const char* module, const char* usage, int nlhs, int nrhs, const mxArray* const* prhs)
        : module_(module), usage_(usage), nlhs_(nlhs), nrhs_(nrhs), prhs_(prhs) {}

    // Exactly `inputs` inputs and at most `outputs` outputs.
    void expectArguments(int inputs, int outputs) const;

    // The data of a real full double array with at least `count` elements.
    const double* doubles(int position, const char* name, std::ptrdiff_t count) const;
    // Writable data of such an array, for the module that returns results in its inputs.
    double* writableDoubles(int position, const char* name, std::ptrdiff_t count) const;

    // A real double scalar.
    double scalar(int position, const char* name) const;
    // A real double scalar converted as the host converts integer parameters.
    int integer(int position, const char* name) const;
    // An integer parameter that must not be negative: a length, a count, a size.
    int size(int position, const char* name) const;

    // A character row vector as UTF-8 text, in a buffer that the host releases after the call.
    char* string(int position, const char* name) const;

    // The matrix at `position`, with its sizes at rowsPosition and colsPosition: sizes first,
    // then the data, which must hold at least rows * cols elements.
    Matrix matrix(int position, const char* name, int rowsPosition, const char* rowsName,
                  int colsPosition, const char* colsName) const;

    // None of the first `count` values is NaN (infinities pass).
    void requireNumbers(const double* data, std::ptrdiff_t count, const char* name) const;

    // Every one of the first `count` values is finite.
    void requireFinite(const double* data, std::ptrdiff_t count, const char* name) const;

    // The `count` values taken every `stride` elements are finite, and so is the sum of their
    // magnitudes, which the searches and means of the routines form.
    void requireFiniteSum(const double* data, std::ptrdiff_t count, std::ptrdiff_t stride,
                          const char* name) const;

    // Raises "<module>:<reason>" with a printf-style message; reason is a constant of
    // support/reasons.hpp.
    [[noreturn]] void fail(const char* reason, const char* format, ...) const
#if defined(__GNUC__)
        __attribute__((format(printf, 3, 4)))
#endif
        ;

    // Raises a failure found by a check of support/value_checks.hpp.
    [[noreturn]] void fail(const valuecheck::ValueFailure& failure) const;

    // Raises the routine's failure, if there was one.
    void check(const Failure& failure) const;

    // Hands the requested outputs to the host; the others are released. The routine may write
    // more results than the caller asked for, but plhs only has room for max(nlhs, 1).
    void deliver(mxArray** plhs, mxArray* const* outputs, int count) const;

    const char* module() const { return module_; }

private:
    const mxArray* realDoubleArray(int position, const char* name, std::ptrdiff_t count) const;

    const char* module_;
    const char* usage_;
    int nlhs_;
    int nrhs_;
    const mxArray* const* prhs_;
};

}  // namespace gateway
