// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// The embedded host's arrays, memory, console and errors.
//
// Like MATLAB, the host releases after each call every array that the module created and did
// not return, and every block from mxCalloc; what a module prints during a call is kept for
// the caller. Misuse that MATLAB would punish with a crash or an error (the data pointer of
// an array of another class, say) raises an error here, so that gateway tests catch it. Every
// error leaves the module by recordError and leaveCall, by an exception or by longjmp
// (loader.hpp).
#include "tests/mexhost/host_state.hpp"
#include "tests/mexhost/utf16.hpp"
#include "support/format.hpp"

#include <csetjmp>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <set>
#include <string>
#include <vector>

namespace mexhost {

namespace {

std::size_t elementSize(mxClassID classId) {
    switch (classId) {
        case mxLOGICAL_CLASS:
        case mxINT8_CLASS:
        case mxUINT8_CLASS:
            return 1;
        case mxCHAR_CLASS:
        case mxINT16_CLASS:
        case mxUINT16_CLASS:
            return 2;
        case mxSINGLE_CLASS:
        case mxINT32_CLASS:
        case mxUINT32_CLASS:
            return 4;
        case mxDOUBLE_CLASS:
        case mxINT64_CLASS:
        case mxUINT64_CLASS:
            return 8;
        default:
            return 0;
    }
}

[[noreturn]] void misuse(const char* what) {
    recordError("mexhost:misuse", what);
    leaveCall();
}

const mxArray& valid(const mxArray* array) {
    if (array == nullptr) misuse("a null mxArray was passed to the host");
    return *array;
}

std::set<std::string>& disabledWarnings() {
    static std::set<std::string> disabled;
    return disabled;
}

// Moves an array created in the call into a struct that owns it.
std::shared_ptr<mxArray_tag> ownedField(mxArray* array) {
    CallScope::current().temporaries.erase(array);
    return std::shared_ptr<mxArray_tag>(array);
}

}  // namespace

void setWarningEnabled(const std::string& identifier, bool enabled) {
    if (enabled)
        disabledWarnings().erase(identifier);
    else
        disabledWarnings().insert(identifier);
}

bool warningEnabled(const std::string& identifier) {
    return disabledWarnings().count(identifier) == 0;
}

void recordError(const char* identifier, const std::string& message) {
    CallScope& scope = CallScope::current();
    scope.errorIdentifier = identifier;
    scope.errorMessage = message;
}

void leaveCall() {
    CallScope& scope = CallScope::current();
    if (scope.active && scope.errorJump != nullptr) std::longjmp(*scope.errorJump, 1);
    throw HostError(scope.errorIdentifier, scope.errorMessage);
}

CallScope& CallScope::current() {
    static CallScope scope;
    return scope;
}

mxArray* CallScope::adopt(mxArray* array) {
    if (active) temporaries.insert(array);
    return array;
}

void CallScope::begin() {
    active = true;
    printed.clear();
    warnings.clear();
    errorIdentifier.clear();
    errorMessage.clear();
}

void CallScope::end() {
    for (mxArray* array : temporaries) delete array;
    temporaries.clear();
    for (void* block : allocations) std::free(block);
    allocations.clear();
    errorJump = nullptr;
    active = false;
}

mxArray* newArray(mxClassID classId, std::size_t rows, std::size_t cols, bool complex) {
    auto* array = new mxArray_tag;
    array->classId = classId;
    array->rows = rows;
    array->cols = cols;
    array->complex = complex;
    const std::size_t bytes = rows * cols * elementSize(classId);
    array->real.assign(bytes, 0);
    if (complex) array->imag.assign(bytes, 0);
    return CallScope::current().adopt(array);
}

}  // namespace mexhost

using mexhost::CallScope;

extern "C" {

double* mxGetPr(const mxArray* array) {
    const mxArray& a = mexhost::valid(array);
    if (a.classId != mxDOUBLE_CLASS) mexhost::misuse("mxGetPr of an array that is not double");
    return reinterpret_cast<double*>(const_cast<unsigned char*>(a.real.data()));
}

void* mxGetData(const mxArray* array) {
    return const_cast<unsigned char*>(mexhost::valid(array).real.data());
}

double mxGetScalar(const mxArray* array) {
    const mxArray& a = mexhost::valid(array);
    if (a.real.empty()) return 0.0;
    const unsigned char* p = a.real.data();
    switch (a.classId) {
        case mxDOUBLE_CLASS: { double v; std::memcpy(&v, p, 8); return v; }
        case mxSINGLE_CLASS: { float v; std::memcpy(&v, p, 4); return v; }
        case mxINT32_CLASS: { int v; std::memcpy(&v, p, 4); return v; }
        case mxLOGICAL_CLASS:
        case mxUINT8_CLASS: return p[0];
        case mxCHAR_CLASS: { unsigned short v; std::memcpy(&v, p, 2); return v; }
        default: mexhost::misuse("mxGetScalar of an array of an unsupported class");
    }
}

size_t mxGetM(const mxArray* array) { return mexhost::valid(array).rows; }
size_t mxGetN(const mxArray* array) { return mexhost::valid(array).cols; }

size_t mxGetNumberOfElements(const mxArray* array) {
    const mxArray& a = mexhost::valid(array);
    return a.rows * a.cols;
}

mxClassID mxGetClassID(const mxArray* array) { return mexhost::valid(array).classId; }
bool mxIsDouble(const mxArray* array) { return mexhost::valid(array).classId == mxDOUBLE_CLASS; }
bool mxIsComplex(const mxArray* array) { return mexhost::valid(array).complex; }
bool mxIsSparse(const mxArray* array) { return mexhost::valid(array).sparse; }
bool mxIsChar(const mxArray* array) { return mexhost::valid(array).classId == mxCHAR_CLASS; }
bool mxIsEmpty(const mxArray* array) { return mxGetNumberOfElements(array) == 0; }

mxArray* mxCreateDoubleMatrix(mwSize m, mwSize n, mxComplexity complexity) {
    return mexhost::newArray(mxDOUBLE_CLASS, m, n, complexity == mxCOMPLEX);
}

mxArray* mxCreateDoubleScalar(double value) {
    mxArray* array = mxCreateDoubleMatrix(1, 1, mxREAL);
    std::memcpy(array->real.data(), &value, sizeof value);
    return array;
}

mxArray* mxCreateNumericMatrix(mwSize m, mwSize n, mxClassID classId, mxComplexity complexity) {
    if (mexhost::elementSize(classId) == 0 || classId == mxCHAR_CLASS ||
        classId == mxLOGICAL_CLASS)
        mexhost::misuse("mxCreateNumericMatrix of a class that is not numeric");
    return mexhost::newArray(classId, m, n, complexity == mxCOMPLEX);
}

mxArray* mxCreateString(const char* text) {
    const std::size_t length = std::strlen(text);
    mxArray* array = mexhost::newArray(mxCHAR_CLASS, 1, length, false);
    for (std::size_t i = 0; i < length; ++i) {
        const unsigned short unit = static_cast<unsigned char>(text[i]);
        std::memcpy(array->real.data() + 2 * i, &unit, 2);
    }
    return array;
}

bool mxIsStruct(const mxArray* array) { return mexhost::valid(array).classId == mxSTRUCT_CLASS; }

mxArray* mxGetField(const mxArray* array, mwIndex index, const char* field) {
    const mxArray& a = mexhost::valid(array);
    if (a.classId != mxSTRUCT_CLASS) mexhost::misuse("mxGetField of an array that is not a struct");
    if (index != 0) return nullptr;
    for (const auto& named : a.fields)
        if (named.first == field) return named.second.get();
    return nullptr;
}

void mxDestroyArray(mxArray* array) {
    if (array == nullptr) return;
    CallScope::current().temporaries.erase(array);
    delete array;
}

int mxGetString(const mxArray* array, char* buffer, mwSize length) {
    const mxArray& a = mexhost::valid(array);
    if (length == 0) return 1;
    if (a.classId != mxCHAR_CLASS) {
        buffer[0] = '\0';
        return 1;
    }
    // UTF-8, as MATLAB gives it where that is the system's encoding, and as Octave keeps text.
    std::vector<unsigned short> units(a.rows * a.cols);
    if (!units.empty()) std::memcpy(units.data(), a.real.data(), 2 * units.size());
    const std::string text = mexhost::utf8FromUtf16(units.data(), units.size());
    const std::size_t copied = text.size() < length - 1 ? text.size() : length - 1;
    std::memcpy(buffer, text.data(), copied);
    buffer[copied] = '\0';
    return copied < text.size() ? 1 : 0;
}

mxChar* mxGetChars(const mxArray* array) {
    const mxArray& a = mexhost::valid(array);
    if (a.classId != mxCHAR_CLASS) return nullptr;
    return reinterpret_cast<mxChar*>(const_cast<unsigned char*>(a.real.data()));
}

void* mxCalloc(mwSize count, mwSize size) {
    void* block = std::calloc(count == 0 ? 1 : count, size == 0 ? 1 : size);
    if (block == nullptr) {
        mexhost::recordError("mexhost:outOfMemory", "out of memory");
        mexhost::leaveCall();
    }
    CallScope& scope = CallScope::current();
    if (scope.active) scope.allocations.insert(block);
    return block;
}

void mxFree(void* pointer) {
    if (pointer == nullptr) return;
    CallScope::current().allocations.erase(pointer);
    std::free(pointer);
}

int mexPrintf(const char* format, ...) {
    std::va_list arguments;
    va_start(arguments, format);
    const std::string text = formatText(format, arguments);
    va_end(arguments);
    CallScope& scope = CallScope::current();
    if (scope.active)
        scope.printed += text;
    else
        std::fputs(text.c_str(), stdout);
    return static_cast<int>(text.size());
}

void mexErrMsgIdAndTxt(const char* identifier, const char* format, ...) {
    std::va_list arguments;
    va_start(arguments, format);
    mexhost::recordError(identifier, formatText(format, arguments));
    va_end(arguments);
    mexhost::leaveCall();
}

void mexErrMsgTxt(const char* message) {
    mexhost::recordError("", message);
    mexhost::leaveCall();
}

void mexWarnMsgIdAndTxt(const char* identifier, const char* format, ...) {
    std::va_list arguments;
    va_start(arguments, format);
    const std::string message = formatText(format, arguments);
    va_end(arguments);
    CallScope::current().warnings.push_back(std::string(identifier) + ": " + message);
}

int mexCallMATLAB(int nlhs, mxArray* plhs[], int nrhs, mxArray* prhs[], const char* name) {
    char action[8];
    char identifier[256];
    if (std::strcmp(name, "warning") != 0 || nlhs != 1 || nrhs != 2 ||
        mxGetString(prhs[0], action, sizeof action) != 0 || std::strcmp(action, "query") != 0 ||
        mxGetString(prhs[1], identifier, sizeof identifier) != 0)
        mexhost::misuse("mexCallMATLAB: the embedded host answers warning('query', id) only");
    const bool enabled = mexhost::warningEnabled(identifier);
    mxArray* state = mexhost::newArray(mxSTRUCT_CLASS, 1, 1, false);
    state->fields.emplace_back("identifier", mexhost::ownedField(mxCreateString(identifier)));
    state->fields.emplace_back("state",
                               mexhost::ownedField(mxCreateString(enabled ? "on" : "off")));
    plhs[0] = state;
    return 0;
}

}  // extern "C"
