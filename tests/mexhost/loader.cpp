// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// Opening a built module and calling it as MATLAB would.
#if defined(_WIN32)
#include "support/utf8_file.hpp"  // windows.h and the UTF-8 to UTF-16 conversion
#else
#include <dlfcn.h>
#endif

#include <algorithm>
#include <csetjmp>
#include <cstdlib>
#include <cstring>

#include "tests/mexhost/host_state.hpp"
#include "tests/mexhost/poll_countdown.hpp"
#include "tests/mexhost/utf16.hpp"

namespace mexhost {

namespace {

// The platform's dynamic loader: open a library, find a symbol, close it.
#if defined(_WIN32)
void* openLibrary(const std::string& path, std::string& error) {
    const HMODULE library = LoadLibraryW(utf8::widen(path.c_str()).c_str());
    if (library == nullptr) error = "Windows error " + std::to_string(GetLastError());
    return reinterpret_cast<void*>(library);
}

void* findSymbol(void* library, const char* name) {
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(library), name));
}

void closeLibrary(void* library) { FreeLibrary(static_cast<HMODULE>(library)); }
#else
void* openLibrary(const std::string& path, std::string& error) {
    void* library = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (library == nullptr) error = dlerror();
    return library;
}

void* findSymbol(void* library, const char* name) { return dlsym(library, name); }

void closeLibrary(void* library) { dlclose(library); }
#endif

}  // namespace

HostError::HostError(std::string identifier, const std::string& message)
    : std::runtime_error(message), identifier_(std::move(identifier)) {}

// Defined here so that the type has one home, shared by modules, host and tests.
HostError::~HostError() = default;

Array Array::matrix(std::size_t rows, std::size_t cols, const std::vector<double>& values) {
    Array array(newArray(mxDOUBLE_CLASS, rows, cols, false));
    if (!values.empty()) {
        if (values.size() != rows * cols) throw std::invalid_argument("matrix: wrong value count");
        std::memcpy(array.get()->real.data(), values.data(), values.size() * sizeof(double));
    }
    return array;
}

Array Array::column(const std::vector<double>& values) {
    return matrix(values.size(), 1, values);
}

Array Array::scalar(double value) { return matrix(1, 1, {value}); }

Array Array::text(const std::string& characters) {
    const std::vector<unsigned short> units = utf16FromUtf8(characters);
    Array array(newArray(mxCHAR_CLASS, 1, units.size(), false));
    if (!units.empty()) std::memcpy(array.get()->real.data(), units.data(), 2 * units.size());
    return array;
}

Array Array::numeric(mxClassID classId, std::size_t rows, std::size_t cols) {
    return Array(newArray(classId, rows, cols, false));
}

Array Array::complexMatrix(std::size_t rows, std::size_t cols) {
    return Array(newArray(mxDOUBLE_CLASS, rows, cols, true));
}

Array Array::sparseMatrix(std::size_t rows, std::size_t cols) {
    Array array(newArray(mxDOUBLE_CLASS, rows, cols, false));
    array.get()->sparse = true;
    return array;
}

Array& Array::operator=(Array&& other) noexcept {
    if (this != &other) {
        delete array_;
        array_ = other.array_;
        other.array_ = nullptr;
    }
    return *this;
}

Array::~Array() { delete array_; }

Array Array::copy() const { return Array(new mxArray_tag(*array_)); }

std::vector<double> Array::values() const {
    const std::size_t count = array_->rows * array_->cols;
    std::vector<double> result(count);
    for (std::size_t i = 0; i < count; ++i) {
        if (array_->classId == mxDOUBLE_CLASS) {
            std::memcpy(&result[i], array_->real.data() + 8 * i, 8);
        } else if (array_->classId == mxINT32_CLASS) {
            int value;
            std::memcpy(&value, array_->real.data() + 4 * i, 4);
            result[i] = value;
        } else {
            throw std::invalid_argument("values: not a double or int32 array");
        }
    }
    return result;
}

bool Array::sameAs(const Array& other) const {
    const mxArray_tag& a = *array_;
    const mxArray_tag& b = *other.array_;
    return a.classId == b.classId && a.rows == b.rows && a.cols == b.cols &&
           a.complex == b.complex && a.sparse == b.sparse && a.real == b.real && a.imag == b.imag;
}

namespace {
PollCountdown interruptCountdown;
}  // namespace

void interruptAtPoll(long long polls) { interruptCountdown.start(polls); }

namespace {

ErrorExit exitFromEnvironment() {
    const char* chosen = std::getenv("SPARSEMEX_HOST_ERRORS");
    if (chosen == nullptr || *chosen == '\0' || std::strcmp(chosen, "exception") == 0)
        return ErrorExit::exception;
    if (std::strcmp(chosen, "longjmp") == 0) return ErrorExit::longjmp;
    throw std::runtime_error(
        std::string("SPARSEMEX_HOST_ERRORS must be exception or longjmp, not ") + chosen);
}

ErrorExit& chosenExit() {
    static ErrorExit chosen = exitFromEnvironment();
    return chosen;
}

// Calls the module with a jump target for its errors; false when an error jumped back.
// Nothing here needs destruction, and nothing changed after setjmp is read after the jump.
bool enterWithJump(void (*entry)(int, mxArray**, int, const mxArray**), int nlhs,
                   mxArray** plhs, int nrhs, const mxArray** prhs) {
    std::jmp_buf target;
    CallScope::current().errorJump = &target;
    if (setjmp(target) != 0) return false;
    entry(nlhs, plhs, nrhs, prhs);
    CallScope::current().errorJump = nullptr;
    return true;
}

}  // namespace

ErrorExit errorExit() { return chosenExit(); }

void setErrorExit(ErrorExit chosen) { chosenExit() = chosen; }

Module::Module(const std::string& path) : path_(path), handle_(nullptr), entry_(nullptr) {
    std::string error;
    handle_ = openLibrary(path, error);
    if (handle_ == nullptr) throw std::runtime_error("cannot open module " + path + ": " + error);
    entry_ = reinterpret_cast<Entry>(findSymbol(handle_, "mexFunction"));
    if (entry_ == nullptr) {
        closeLibrary(handle_);
        throw std::runtime_error("module " + path + " exports no mexFunction");
    }
}

Module::~Module() { closeLibrary(handle_); }

CallResult Module::call(int nlhs, const std::vector<const Array*>& inputs) const {
    std::vector<const mxArray*> prhs;
    for (const Array* input : inputs) prhs.push_back(input->get());
    // MATLAB gives a module room for max(nlhs, 1) outputs, no more.
    std::vector<mxArray*> plhs(static_cast<std::size_t>(std::max(nlhs, 1)), nullptr);

    const bool jumpBack = errorExit() == ErrorExit::longjmp;
    CallScope& scope = CallScope::current();
    scope.begin();
    bool returned = true;
    try {
        if (jumpBack)
            returned = enterWithJump(entry_, nlhs, plhs.data(), static_cast<int>(prhs.size()),
                                     prhs.data());
        else
            entry_(nlhs, plhs.data(), static_cast<int>(prhs.size()), prhs.data());
    } catch (HostError& error) {
        error.setPrinted(scope.printed);
        scope.end();
        throw;
    } catch (const std::exception& error) {
        scope.end();
        throw HostError("mexhost:uncaughtException",
                        std::string("the module let an exception escape: ") + error.what());
    }
    if (!returned) {
        // The module's frames are gone without their destructors; the host's arrays and
        // blocks of the call are released here, as MATLAB releases them.
        HostError error(scope.errorIdentifier, scope.errorMessage);
        error.setPrinted(scope.printed);
        scope.end();
        throw error;
    }

    CallResult result;
    result.printed = scope.printed;
    result.warnings = scope.warnings;
    for (std::size_t k = 0; k < plhs.size(); ++k) {
        mxArray* output = plhs[k];
        if (output == nullptr) {
            if (static_cast<int>(k) < nlhs) {
                scope.end();
                throw HostError("mexhost:unassignedOutput", "one or more outputs not assigned");
            }
            continue;
        }
        if (scope.temporaries.erase(output) == 0) {
            scope.end();
            throw HostError("mexhost:misuse", "an output is not an array created in the call");
        }
        result.outputs.emplace_back(output);
    }
    scope.end();
    return result;
}

}  // namespace mexhost

// The modules' interrupt polls ask through mex.h, the only interface of the host they see.
extern "C" bool mexhostInterruptPending(void) { return mexhost::interruptCountdown.poll(); }
