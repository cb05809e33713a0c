// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
#include "tests/fuzz/fuzz_call.hpp"

#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <map>
#include <memory>
#include <sstream>

namespace fuzzcall {

using mexhost::Array;

double Decoder::plain() {
    const unsigned first = byte();
    if (first < 160) return static_cast<double>(static_cast<int>(first % 17) - 8);
    const int wide = static_cast<int>((byte() << 8) | byte()) - 32768;
    return wide / 1024.0;
}

double Decoder::positive() { return byte() / 32.0; }

double Decoder::special() {
    static const double values[] = {
        std::numeric_limits<double>::quiet_NaN(),
        std::numeric_limits<double>::infinity(),
        -std::numeric_limits<double>::infinity(),
        0.0,
        -0.0,
        std::numeric_limits<double>::denorm_min(),
        -std::numeric_limits<double>::denorm_min(),
        std::numeric_limits<double>::min(),
        1e-300,
        -1e-300,
        1e300,
        -1e300,
        1e155,
        1e-170,
        std::ldexp(1.0, 800),
        std::ldexp(1.0, -800),
        std::numeric_limits<double>::max(),
        -std::numeric_limits<double>::max(),
        2147483648.0,
        -2147483649.0,
        1e-20,
        1e20,
    };
    return values[below(sizeof values / sizeof values[0])];
}

Array plainColumn(Decoder& in, std::size_t length) { return plainMatrix(in, length, 1); }

Array plainMatrix(Decoder& in, std::size_t rows, std::size_t cols) {
    std::vector<double> values(rows * cols);
    for (double& value : values) value = in.plain();
    return Array::matrix(rows, cols, values);
}

void addColumn(Decoder& in, Call& call, int n) {
    call.add(plainColumn(in, n), Role::data);
    call.add(Array::scalar(n), Role::size);
}

void columnCall(Decoder& in, Call& call) { addColumn(in, call, in.between(0, 48)); }

void addMatrix(Decoder& in, Call& call, int rows, int cols) {
    call.add(plainMatrix(in, rows, cols), Role::data);
    call.add(Array::scalar(rows), Role::size);
    call.add(Array::scalar(cols), Role::size);
}

namespace {

// The ranges nested in [low, high], each listed before the range that holds it, then
// [low, high] itself.
void addRange(Decoder& in, int low, int high, int depth, std::vector<double>& table) {
    if (depth < 6 && high > low) {
        for (int start = low; start <= high;) {
            const int end = start + in.below(high - start + 1);
            if (!(start == low && end == high) && in.below(3) > 0)
                addRange(in, start, end, depth + 1, table);
            start = end + 1;
        }
    }
    table.insert(table.end(), {static_cast<double>(low), static_cast<double>(high), in.positive()});
}

}  // namespace

Array rangeTree(Decoder& in, int n, bool allowL1, int& nodes) {
    std::vector<double> table;
    if (n < 1 || (allowL1 && in.below(2) == 0)) table.insert(table.end(), {-1, -1, in.positive()});
    if (n >= 1) addRange(in, 1, n, 0, table);
    nodes = static_cast<int>(table.size() / 3);
    return Array::matrix(3, table.size() / 3, table);
}

Array boundaries(Decoder& in, int n, int& g) {
    std::vector<double> table{0};
    for (int at = 0; at < n;) {
        // Now and then an empty group.
        const int length = in.below(8) == 7 ? 0 : 1 + in.below(n - at);
        at += length;
        table.push_back(at);
    }
    g = static_cast<int>(table.size()) - 1;
    return Array::matrix(1, table.size(), table);
}

std::string descriptionFile(Decoder& in, int n, int& root) {
    // Nodes 0..n-1 in a random order; each node after the first hangs below an earlier one.
    std::vector<int> label(n);
    for (int k = 0; k < n; ++k) label[k] = k;
    for (int k = n - 1; k > 0; --k) std::swap(label[k], label[in.below(k + 1)]);
    std::vector<std::vector<int>> children(n);
    for (int k = 1; k < n; ++k) children[label[in.below(k)]].push_back(label[k]);
    root = n > 0 ? label[0] + 1 : 1;
    std::ostringstream text;
    for (int k = 0; k < n; ++k) {
        if (children[k].empty() && in.below(4) != 3) continue;
        text << k + 1 << ' ' << children[k].size();
        for (int child : children[k]) text << ' ' << child + 1;
        text << '\n';
    }
    return text.str();
}

const std::string& descriptionPath() {
    static const std::string path = [] {
        std::string name = "/tmp/sparsemex_fuzz_" + std::to_string(getpid()) + ".txt";
        std::atexit([] { std::remove(descriptionPath().c_str()); });
        return name;
    }();
    return path;
}

namespace {

std::map<std::string, std::unique_ptr<mexhost::Module>>& loaded() {
    static std::map<std::string, std::unique_ptr<mexhost::Module>> modules;
    return modules;
}

// An argument of the given role, or null when the call has none.
Argument* pick(Decoder& in, Call& call, std::initializer_list<Role> roles) {
    std::vector<Argument*> candidates;
    for (Argument& argument : call.inputs)
        if (std::find(roles.begin(), roles.end(), argument.role) != roles.end())
            candidates.push_back(&argument);
    if (candidates.empty()) return nullptr;
    return candidates[in.below(static_cast<int>(candidates.size()))];
}

bool isPlainDouble(const Array& array) {
    return array.classId() == mxDOUBLE_CLASS && !mxIsComplex(array.get()) &&
           !mxIsSparse(array.get());
}

void setSpecialElement(Decoder& in, Argument* argument) {
    if (argument == nullptr || !isPlainDouble(argument->array)) return;
    const std::size_t count = argument->array.rows() * argument->array.cols();
    if (count == 0) return;
    argument->array.data()[in.below(static_cast<int>(std::min<std::size_t>(count, 256)))] =
        in.special();
}

bool holdsValue(const Argument* argument) {
    return argument != nullptr && isPlainDouble(argument->array) &&
           argument->array.rows() * argument->array.cols() > 0;
}

void mutateSize(Decoder& in, Argument* argument) {
    if (!holdsValue(argument)) return;
    double& value = argument->array.data()[0];
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double choices[] = {value + 1, value - 1, 0,   -1,   2147483648.0, 2147483647.0,
                              1e10,      nan,       2.5, -0.5, -2147483649.0, value * 2};
    value = choices[in.below(sizeof choices / sizeof choices[0])];
}

void mutateBounded(Decoder& in, Argument* argument) {
    if (!holdsValue(argument)) return;
    const double choices[] = {0, -1, std::numeric_limits<double>::quiet_NaN(), 1};
    argument->array.data()[0] = choices[in.below(4)];
}

void changeClass(Decoder& in, Argument* argument) {
    if (argument == nullptr) return;
    const std::size_t rows = argument->array.rows(), cols = argument->array.cols();
    switch (in.below(5)) {
        case 0: argument->array = Array::numeric(mxINT32_CLASS, rows, cols); break;
        case 1: argument->array = Array::numeric(mxSINGLE_CLASS, rows, cols); break;
        case 2: argument->array = Array::complexMatrix(rows, cols); break;
        case 3: argument->array = Array::sparseMatrix(rows, cols); break;
        default: argument->array = Array::text(in.below(2) ? "abc" : ""); break;
    }
}

void changeShape(Decoder& in, Argument* argument) {
    if (argument == nullptr || !isPlainDouble(argument->array)) return;
    const std::size_t rows = argument->array.rows(), cols = argument->array.cols();
    std::vector<double> values = argument->array.values();
    switch (in.below(4)) {
        case 0: argument->array = Array::matrix(cols, rows, values); break;
        case 1:
            if (!values.empty()) values.resize(values.size() - 1 - in.below(static_cast<int>(values.size())));
            argument->array = Array::column(values);
            break;
        case 2: argument->array = Array::matrix(0, in.below(2) ? cols : 0); break;
        default: argument->array = Array::matrix(rows, 0); break;
    }
}

void changeCount(Decoder& in, Call& call) {
    switch (in.below(3)) {
        case 0:
            if (!call.inputs.empty()) call.inputs.pop_back();
            break;
        case 1: call.add(Array::scalar(in.plain()), Role::parameter); break;
        default: call.nlhs = in.below(5); break;
    }
}

void mutateFile(Decoder& in, Call& call) {
    if (!call.hasFile) return;
    std::vector<std::string> tokens;
    std::istringstream words(call.fileText);
    for (std::string word; words >> word;) tokens.push_back(word);
    static const char* replacements[] = {"0",   "-1",  "100000000000000000000000", "2147483648",
                                         "x",   "1.5", "-0",   "65",  "1e3", "+2", ""};
    switch (in.below(4)) {
        case 0:  // a token replaced
            if (!tokens.empty())
                tokens[in.below(static_cast<int>(tokens.size()))] =
                    replacements[in.below(sizeof replacements / sizeof replacements[0])];
            break;
        case 1:  // the text cut short
            if (!tokens.empty()) tokens.resize(in.below(static_cast<int>(tokens.size())));
            break;
        case 2:  // a record that gives a node a parent again, or the root one
            tokens.insert(tokens.end(), {std::to_string(1 + in.below(8)), "1",
                                         std::to_string(1 + in.below(8))});
            break;
        default: {  // no file at all
            for (Argument& argument : call.inputs)
                if (argument.role == Role::text)
                    argument.array = Array::text("/nonexistent/sparsemex/tree.txt");
            break;
        }
    }
    std::string text;
    for (const std::string& token : tokens) text += token + (in.below(4) == 3 ? "\n" : " ");
    call.fileText = text;
}

void mutate(Decoder& in, Call& call) {
    switch (in.below(8)) {
        case 0:
        case 1: setSpecialElement(in, pick(in, call, {Role::data, Role::inPlace})); break;
        case 2: setSpecialElement(in, pick(in, call, {Role::parameter})); break;
        case 3: mutateSize(in, pick(in, call, {Role::size})); break;
        case 4:
            changeClass(in, pick(in, call, {Role::data, Role::size, Role::parameter, Role::text}));
            break;
        case 5: changeShape(in, pick(in, call, {Role::data, Role::size, Role::parameter})); break;
        case 6: in.below(2) ? changeCount(in, call) : mutateBounded(in, pick(in, call, {Role::bounded})); break;
        default: mutateFile(in, call); break;
    }
}

void writeFile(const std::string& text) {
    std::FILE* file = std::fopen(descriptionPath().c_str(), "wb");
    if (file == nullptr) std::abort();
    std::fwrite(text.data(), 1, text.size(), file);
    std::fclose(file);
}

// The call as text, for reading a reproducer (SPARSEMEX_FUZZ_SHOW=1).
void show(const char* module, const Call& call) {
    std::fprintf(stderr, "%s, %d outputs:\n", module, call.nlhs);
    for (const Argument& argument : call.inputs) {
        const Array& array = argument.array;
        std::fprintf(stderr, "  class %d, %zu-by-%zu%s%s", static_cast<int>(array.classId()),
                     array.rows(), array.cols(), mxIsComplex(array.get()) ? ", complex" : "",
                     mxIsSparse(array.get()) ? ", sparse" : "");
        if (isPlainDouble(array))
            for (double value : array.values()) std::fprintf(stderr, " %.17g", value);
        std::fprintf(stderr, "\n");
    }
    if (call.hasFile) std::fprintf(stderr, "  file:\n%s\n", call.fileText.c_str());
}

[[noreturn]] void fault(const char* module, const std::string& what) {
    std::fprintf(stderr, "fuzz fault in %s: %s\n", module, what.c_str());
    std::abort();
}

}  // namespace

void load(const std::vector<Recipe>& recipes) {
    for (const Recipe& recipe : recipes)
        loaded()[recipe.module] = std::make_unique<mexhost::Module>(
            std::string(SPARSEMEX_EMBEDDED_MODULES) + "/" + recipe.module + ".so");
}

void run(const std::vector<Recipe>& recipes, const std::uint8_t* data, std::size_t size) {
    Decoder in(data, size);
    const Recipe& recipe = recipes[in.below(static_cast<int>(recipes.size()))];
    const int mutations = in.below(4);
    Call call;
    recipe.build(in, call);
    for (int k = 0; k < mutations; ++k) mutate(in, call);
    if (call.hasFile) writeFile(call.fileText);
    static const bool showing = std::getenv("SPARSEMEX_FUZZ_SHOW") != nullptr;
    if (showing) show(recipe.module, call);

    std::vector<const Array*> inputs;
    std::vector<Array> before;
    for (const Argument& argument : call.inputs) {
        inputs.push_back(&argument.array);
        before.push_back(argument.array.copy());
    }
    const std::string prefix = std::string(recipe.module) + ":";
    try {
        loaded().at(recipe.module)->call(call.nlhs, inputs);
    } catch (const mexhost::HostError& error) {
        if (error.identifier().rfind(prefix, 0) != 0)
            fault(recipe.module, error.identifier() + ": " + error.what());
    }
    for (std::size_t k = 0; k < call.inputs.size(); ++k)
        if (call.inputs[k].role != Role::inPlace && !call.inputs[k].array.sameAs(before[k]))
            fault(recipe.module, "input " + std::to_string(k + 1) + " was changed");
}

}  // namespace fuzzcall
