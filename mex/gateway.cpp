// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
#include "mex/gateway.hpp"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace gateway {

Failure Failure::of(const char* reason, const char* message) {
    Failure failure;
    failure.failed = true;
    std::snprintf(failure.reason, sizeof failure.reason, "%s", reason);
    std::snprintf(failure.message, sizeof failure.message, "%s", message);
    return failure;
}

bool warningEnabled(const char* identifier) {
    mxArray* query[2] = {mxCreateString("query"), mxCreateString(identifier)};
    mxArray* answer = nullptr;
    bool enabled = true;
    if (mexCallMATLAB(1, &answer, 2, query, "warning") == 0 && answer != nullptr) {
        const mxArray* state = mxIsStruct(answer) ? mxGetField(answer, 0, "state") : nullptr;
        char text[8];
        enabled = !(state != nullptr && mxGetString(state, text, sizeof text) == 0 &&
                    std::strcmp(text, "off") == 0);
        mxDestroyArray(answer);
    }
    mxDestroyArray(query[0]);
    mxDestroyArray(query[1]);
    return enabled;
}

mxArray* newMatrix(std::size_t rows, std::size_t cols) {
    return mxCreateDoubleMatrix(rows, cols, mxREAL);
}

mxArray* newInt32Scalar() {
    return mxCreateNumericMatrix(1, 1, mxINT32_CLASS, mxREAL);
}

void Call::fail(const char* reason, const char* format, ...) const {
    char identifier[96];
    std::snprintf(identifier, sizeof identifier, "%s:%s", module_, reason);
    char message[512];
    std::va_list arguments;
    va_start(arguments, format);
    std::vsnprintf(message, sizeof message, format, arguments);
    va_end(arguments);
    // The hosts name the module beside the message themselves.
    mexErrMsgIdAndTxt(identifier, "%s", message);
    std::abort();  // not reached: the host does not return from an error
}

void Call::expectArguments(int inputs, int outputs) const {
    if (nrhs_ != inputs)
        fail(reason::inputCount, "expects %d inputs, got %d. Usage: %s", inputs, nrhs_, usage_);
    if (nlhs_ > outputs)
        fail(reason::outputCount, "returns at most %d outputs, %d requested. Usage: %s", outputs,
             nlhs_, usage_);
}

const mxArray* Call::realDoubleArray(int position, const char* name, std::ptrdiff_t count) const {
    const mxArray* array = prhs_[position];
    if (!mxIsDouble(array) || mxIsComplex(array) || mxIsSparse(array))
        fail(argcheck::notRealDoubleFailure(name, position));
    const std::size_t have = mxGetNumberOfElements(array);
    if (count > 0 && have < static_cast<std::size_t>(count))
        fail(argcheck::tooFewElementsFailure(name, position, static_cast<long long>(have),
                                             static_cast<long long>(count)));
    return array;
}

const double* Call::doubles(int position, const char* name, std::ptrdiff_t count) const {
    return mxGetPr(realDoubleArray(position, name, count));
}

double* Call::writableDoubles(int position, const char* name, std::ptrdiff_t count) const {
    return mxGetPr(realDoubleArray(position, name, count));
}

double Call::scalar(int position, const char* name) const {
    const mxArray* array = prhs_[position];
    if (!mxIsDouble(array) || mxIsComplex(array) || mxIsSparse(array) ||
        mxGetNumberOfElements(array) != 1)
        fail(argcheck::notScalarFailure(name, position));
    return mxGetPr(array)[0];
}

int Call::integer(int position, const char* name) const {
    return truncateToInt(scalar(position, name));
}

int Call::size(int position, const char* name) const {
    const double value = scalar(position, name);
    if (argcheck::sizeRefused(value)) fail(argcheck::negativeSizeFailure(name, position, value));
    return truncateToInt(value);
}

char* Call::string(int position, const char* name) const {
    const mxArray* array = prhs_[position];
    if (!mxIsChar(array) || mxGetM(array) > 1) fail(argcheck::notStringFailure(name, position));
    const std::size_t length = mxGetN(array);
    const mxChar* characters = mxGetChars(array);
    for (std::size_t k = 0; k < length; ++k)
        if (characters[k] == 0) fail(argcheck::nulInStringFailure(name, position));
    // The text comes as UTF-8, which names every file on every system (the file functions
    // of support/utf8_file.hpp take it). A character takes at most three bytes there.
#if defined(HAVE_OCTAVE) || defined(EMBEDDED_MEX_H)
    const std::size_t room = 3 * length + 1;
    char* buffer = static_cast<char*>(mxCalloc(room, 1));
    const bool read = mxGetString(array, buffer, room) == 0;
#else
    // MATLAB's mxGetString gives the system's code page, which on Windows is not UTF-8.
    char* buffer = mxArrayToUTF8String(array);
    const bool read = buffer != nullptr;
#endif
    if (!read) fail(argcheck::unreadableStringFailure(name, position));
    return buffer;
}

void Call::requireNumbers(const double* data, std::ptrdiff_t count, const char* name) const {
    const long long found = valuecheck::firstNaN(data, count, 1);
    if (found != -1) fail(valuecheck::nanFailure(name, found));
}

void Call::requireFinite(const double* data, std::ptrdiff_t count, const char* name) const {
    const long long found = valuecheck::firstNonFinite(data, count, 1);
    if (found != -1) fail(valuecheck::nonFiniteFailure(name, found, data[found]));
}

Matrix Call::matrix(int position, const char* name, int rowsPosition, const char* rowsName,
                    int colsPosition, const char* colsName) const {
    Matrix matrix;
    matrix.rows = size(rowsPosition, rowsName);
    matrix.cols = size(colsPosition, colsName);
    matrix.data = doubles(position, name, matrix.size());
    return matrix;
}

void Call::requireFiniteSum(const double* data, std::ptrdiff_t count, std::ptrdiff_t stride,
                            const char* name) const {
    const long long found = valuecheck::finiteSumCheck(data, count, stride);
    if (found != -1) fail(valuecheck::finiteSumFailureIn(name, data, stride, found));
}

void Call::fail(const valuecheck::ValueFailure& failure) const {
    fail(failure.reason, "%s", failure.message);
}

void Call::check(const Failure& failure) const {
    if (failure.failed) fail(failure.reason, "%s", failure.message);
}

void Call::deliver(mxArray** plhs, mxArray* const* outputs, int count) const {
    const int room = nlhs_ > 1 ? nlhs_ : 1;
    for (int k = 0; k < count; ++k) {
        if (k < room)
            plhs[k] = outputs[k];
        else
            mxDestroyArray(outputs[k]);
    }
}

}  // namespace gateway
