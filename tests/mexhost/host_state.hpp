// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// Internals of the embedded host shared by its array operations and its loader.
#pragma once

#include <csetjmp>
#include <cstddef>
#include <memory>
#include <string>
#include <utility>
#include <unordered_set>
#include <vector>

#include "tests/mexhost/loader.hpp"

struct mxArray_tag {
    mxClassID classId = mxDOUBLE_CLASS;
    bool complex = false;
    bool sparse = false;
    std::size_t rows = 0;
    std::size_t cols = 0;
    std::vector<unsigned char> real;  // column-major elements of the class's size
    std::vector<unsigned char> imag;
    // A 1-by-1 struct's fields, owned by the struct.
    std::vector<std::pair<std::string, std::shared_ptr<mxArray_tag>>> fields;
};

namespace mexhost {

// What belongs to the module call in progress: arrays and blocks the host releases after it,
// what the module printed, and the error that ended it.
struct CallScope {
    bool active = false;
    std::unordered_set<mxArray*> temporaries;
    std::unordered_set<void*> allocations;
    std::string printed;
    std::vector<std::string> warnings;
    std::string errorIdentifier;
    std::string errorMessage;
    // Where an error jumps to in the longjmp exit; null when errors throw.
    std::jmp_buf* errorJump = nullptr;

    static CallScope& current();
    mxArray* adopt(mxArray* array);
    void begin();
    void end();
};

// A zero-filled array; during a call it belongs to the call until it is returned.
mxArray* newArray(mxClassID classId, std::size_t rows, std::size_t cols, bool complex);

// Records the error that ends the module call. Keep it a statement of its own, so that no
// object of the raising frame is alive when leaveCall jumps out of it.
void recordError(const char* identifier, const std::string& message);

// Leaves the module call with the recorded error: by longjmp when the call has a jump target
// (ErrorExit::longjmp), as MATLAB leaves a gateway, skipping its destructors; else by
// throwing HostError, which runs them.
[[noreturn]] void leaveCall();

// Whether warning('query', identifier) answers 'on' (setWarningEnabled sets it).
bool warningEnabled(const std::string& identifier);

}  // namespace mexhost
