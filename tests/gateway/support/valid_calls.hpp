// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// One small valid call of every module, with the kind of each argument: where the tests that
// run over every module (the argument checks, the random calls) start from.
#pragma once

#include <string>
#include <vector>

#include "tests/mexhost/loader.hpp"

namespace validcalls {

// How the module reads an argument, which says what it must reject there.
enum class Kind {
    data,    // a real full double array of values
    table,   // a real full double array of indices, boundaries or weights of a structure
    size,    // a real double scalar that must not be negative
    scalar,  // a real double scalar
    text,    // a character row vector: the name of a description file
};

struct Argument {
    Kind kind;
    std::vector<double> values;  // arrays: column-major; size and scalar: one value
    int rows = 0;                // arrays: the shape (a column when 0)
    int cols = 1;
};

// A small valid call of a module, and the most outputs it returns.
struct ValidCall {
    std::string module;
    int outputs;
    std::vector<Argument> arguments;
};

// Every module's valid call.
const std::vector<ValidCall>& all();
// The valid call of the module of that name; std::runtime_error when it has none.
const ValidCall& of(const std::string& module);

// The argument as a host array (a text names a valid description file, kept for the process).
mexhost::Array arrayOf(const Argument& argument);

}  // namespace validcalls
