// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// Internals of the embedded host shared by its array operations and its loader.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <utility>
#include <unordered_set>
#include <vector>

#include "host/embedded/loader.hpp"

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
// and what the module printed.
struct CallScope {
    bool active = false;
    std::unordered_set<mxArray*> temporaries;
    std::unordered_set<void*> allocations;
    std::string printed;
    std::vector<std::string> warnings;

    static CallScope& current();
    mxArray* adopt(mxArray* array);
    void begin();
    void end();
};

// A zero-filled array; during a call it belongs to the call until it is returned.
mxArray* newArray(mxClassID classId, std::size_t rows, std::size_t cols, bool complex);

// Whether warning('query', identifier) answers 'on' (setWarningEnabled sets it).
bool warningEnabled(const std::string& identifier);

}  // namespace mexhost
