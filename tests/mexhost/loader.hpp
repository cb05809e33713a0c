// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// Calling built modules without MATLAB or Octave: arrays, a module loader, host errors.
//
//   mexhost::Module module(path);
//   auto result = module.call(3, {&v, &n, &z, &lambda0});   // outputs and printed text
//
// An error that the module raises arrives as mexhost::HostError with its identifier and the
// text printed before it. Arrays that the module created and did not return are released,
// as MATLAB does.
//
// The module's error call leaves it in one of two ways (SPARSEMEX_HOST_ERRORS, read once):
// by a C++ exception, the default, which runs the destructors of the module's frames; or
// with SPARSEMEX_HOST_ERRORS=longjmp by longjmp to the host's call, as MATLAB leaves a
// gateway: whatever the module's frames own then leaks, which a leak checker reports.
#pragma once

#include <cstddef>
#include <initializer_list>
#include <stdexcept>
#include <string>
#include <vector>

#include "mex.h"

namespace mexhost {

class HostError : public std::runtime_error {
public:
    HostError(std::string identifier, const std::string& message);
    ~HostError() override;

    const std::string& identifier() const { return identifier_; }
    // What the module printed during the call, up to the error.
    const std::string& printed() const { return printed_; }
    void setPrinted(std::string printed) { printed_ = std::move(printed); }

private:
    std::string identifier_;
    std::string printed_;
};

// Owns one host array.
class Array {
public:
    // A real double matrix; `values` in column-major order, zero-filled when empty.
    static Array matrix(std::size_t rows, std::size_t cols, const std::vector<double>& values = {});
    static Array column(const std::vector<double>& values);
    static Array scalar(double value);
    static Array text(const std::string& characters);
    // Other kinds of argument, for the checks that gateways make.
    static Array numeric(mxClassID classId, std::size_t rows, std::size_t cols);
    static Array complexMatrix(std::size_t rows, std::size_t cols);
    static Array sparseMatrix(std::size_t rows, std::size_t cols);

    explicit Array(mxArray* adopted) : array_(adopted) {}
    Array(Array&& other) noexcept : array_(other.array_) { other.array_ = nullptr; }
    Array& operator=(Array&& other) noexcept;
    Array(const Array&) = delete;
    Array& operator=(const Array&) = delete;
    ~Array();

    Array copy() const;
    mxArray* get() const { return array_; }
    std::size_t rows() const { return mxGetM(array_); }
    std::size_t cols() const { return mxGetN(array_); }
    mxClassID classId() const { return mxGetClassID(array_); }
    double* data() const { return mxGetPr(array_); }
    // The elements as doubles (double or int32 arrays).
    std::vector<double> values() const;
    // Bit-for-bit equality of class, shape and data.
    bool sameAs(const Array& other) const;

private:
    mxArray* array_;
};

// A test hook standing in for Ctrl-C: the module's polls see an interrupt from the
// `polls`-th poll on (counted from this call; 0 turns the hook off). The modules ask for it
// with mexhostInterruptPending (mex.h).
void interruptAtPoll(long long polls);

struct CallResult {
    std::vector<Array> outputs;
    std::string printed;
    std::vector<std::string> warnings;
};

// The host's warning state, as warning('off', identifier) sets it in MATLAB and Octave: what
// a module that asks warning('query', identifier) is told. Every warning starts enabled.
void setWarningEnabled(const std::string& identifier, bool enabled);

enum class ErrorExit { exception, longjmp };

// How module errors leave the module: SPARSEMEX_HOST_ERRORS (unset or "exception", or
// "longjmp") until setErrorExit changes it. Another value is refused with std::runtime_error.
ErrorExit errorExit();
void setErrorExit(ErrorExit chosen);

class Module {
public:
    explicit Module(const std::string& path);
    ~Module();
    Module(const Module&) = delete;
    Module& operator=(const Module&) = delete;

    // Calls mexFunction with nlhs requested outputs. Throws HostError when the module raises
    // an error or leaves a requested output unassigned.
    CallResult call(int nlhs, const std::vector<const Array*>& inputs) const;

    const std::string& path() const { return path_; }

private:
    using Entry = void (*)(int, mxArray**, int, const mxArray**);
    std::string path_;
    void* handle_;
    Entry entry_;
};

}  // namespace mexhost
