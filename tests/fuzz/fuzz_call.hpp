// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// Structured fuzzing of the modules through the embedded host.
//
// The fuzzer's bytes are read as a recipe: which module of the family to call, a valid call
// of it (sizes that fit the arrays, finite values, well-formed node tables, group tables and
// description files), then a few mutations of that call (a value turned into NaN, an infinity,
// a signed zero, a subnormal or 1e+-300; a size moved off by one or out of range; an argument
// of another class or shape; one argument too few or too many). Valid calls let the fuzzer
// reach the routines instead of stopping at the first argument check.
//
// A module must return or raise an error of its own ("<module>:<reason>"), and must leave its
// read-only inputs as they were; anything else (a crash, a sanitizer report, a host misuse)
// ends the run.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "tests/mexhost/loader.hpp"

namespace fuzzcall {

using mexhost::Array;

// Reads the fuzzer's bytes from the front; past the end every byte reads as 0, so any input
// decodes to some call.
class Decoder {
public:
    Decoder(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    unsigned byte() { return position_ < size_ ? data_[position_++] : 0u; }
    // An integer in 0..bound-1.
    int below(int bound) { return bound > 0 ? static_cast<int>(byte() % bound) : 0; }
    // An integer in low..high.
    int between(int low, int high) { return low + below(high - low + 1); }
    // An ordinary value of unit scale: a small integer or a multiple of 1/1024.
    double plain();
    // A positive ordinary value, for weights and radii.
    double positive();
    // A value at the edges of the double range, or one that no check should let through.
    double special();

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t position_ = 0;
};

// What a mutation may do to an argument.
enum class Role {
    data,       // an array of values: any element may become special
    size,       // a count or size: off by one, negative, beyond 2^31, NaN
    parameter,  // a scalar weight, radius, exponent or start value
    bounded,    // an iteration limit: only made 0, negative or NaN, so that no call runs long
    inPlace,    // written by the module in place (precisionLasso's X and W)
    text,       // a file name
};

struct Argument {
    Array array;
    Role role;
};

struct Call {
    std::vector<Argument> inputs;
    int nlhs = 1;
    bool hasFile = false;  // the call names a description file with the text below
    std::string fileText;

    void add(Array array, Role role) { inputs.push_back({std::move(array), role}); }
};

// Builders of valid arguments.
Array plainColumn(Decoder& in, std::size_t length);
Array plainMatrix(Decoder& in, std::size_t rows, std::size_t cols);
// Adds the arguments (v, n): a plain column of n entries and its length.
void addColumn(Decoder& in, Call& call, int n);
// Adds the arguments (V, rows, cols): a plain matrix and its shape.
void addMatrix(Decoder& in, Call& call, int rows, int cols);
// The whole call x = module(v, n), for the modules that take nothing else; n is at most 48.
void columnCall(Decoder& in, Call& call);
// An index-range tree on positions 1..n (deepest nodes first, the root last), optionally led
// by the L1 node; returns the 3-by-nodes table and sets `nodes`.
Array rangeTree(Decoder& in, int n, bool allowL1, int& nodes);
// Consecutive groups of 0..n-1: g + 1 boundaries.
Array boundaries(Decoder& in, int n, int& g);
// A random tree on nodes 1..n in the description-file format; sets the root's number.
std::string descriptionFile(Decoder& in, int n, int& root);
// Where a call's description file is written (one file per fuzzing process).
const std::string& descriptionPath();

struct Recipe {
    const char* module;
    void (*build)(Decoder& in, Call& call);
};

// Loads the family's modules from the build's embedded-host folder.
void load(const std::vector<Recipe>& recipes);

// Decodes one input into a call of one of the recipes' modules, mutates it, runs it and
// checks the outcome; aborts on a fault.
void run(const std::vector<Recipe>& recipes, const std::uint8_t* data, std::size_t size);

}  // namespace fuzzcall

// The entry points of a family's fuzzer, over its list of recipes. A family's recipes live in
// namespace fuzzcall (an unnamed namespace inside it), where the builders above need no
// qualification.
#define SPARSEMEX_FUZZ_FAMILY(recipes)                                                 \
    extern "C" int LLVMFuzzerInitialize(int*, char***) {                              \
        fuzzcall::load(recipes);                                                       \
        return 0;                                                                      \
    }                                                                                  \
    extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) { \
        fuzzcall::run(recipes, data, size);                                            \
        return 0;                                                                      \
    }
