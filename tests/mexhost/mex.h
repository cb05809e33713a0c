// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
/* The MEX interface of the embedded host: the operations that our gateways use, with the
 * names, types and class numbers of the MATLAB interface, so that one gateway source builds
 * for every host. The implementation is mexhost.cpp; tests drive modules through loader.hpp. */
#ifndef EMBEDDED_MEX_H
#define EMBEDDED_MEX_H

#include <stddef.h>

#ifdef __cplusplus
extern "C" {
#else
#include <stdbool.h>
#endif

typedef struct mxArray_tag mxArray;
typedef size_t mwSize;
typedef size_t mwIndex;
typedef ptrdiff_t mwSignedIndex;
typedef unsigned short mxChar; /* a UTF-16 code unit */

typedef enum {
    mxUNKNOWN_CLASS = 0,
    mxCELL_CLASS,
    mxSTRUCT_CLASS,
    mxLOGICAL_CLASS,
    mxCHAR_CLASS,
    mxVOID_CLASS,
    mxDOUBLE_CLASS,
    mxSINGLE_CLASS,
    mxINT8_CLASS,
    mxUINT8_CLASS,
    mxINT16_CLASS,
    mxUINT16_CLASS,
    mxINT32_CLASS,
    mxUINT32_CLASS,
    mxINT64_CLASS,
    mxUINT64_CLASS,
    mxFUNCTION_CLASS
} mxClassID;

typedef enum { mxREAL = 0, mxCOMPLEX = 1 } mxComplexity;

/* Defined by each module. */
void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]);

/* Arrays. */
double* mxGetPr(const mxArray* array);
void* mxGetData(const mxArray* array);
double mxGetScalar(const mxArray* array);
size_t mxGetM(const mxArray* array);
size_t mxGetN(const mxArray* array);
size_t mxGetNumberOfElements(const mxArray* array);
mxClassID mxGetClassID(const mxArray* array);
bool mxIsDouble(const mxArray* array);
bool mxIsComplex(const mxArray* array);
bool mxIsSparse(const mxArray* array);
bool mxIsChar(const mxArray* array);
bool mxIsEmpty(const mxArray* array);
mxArray* mxCreateDoubleMatrix(mwSize m, mwSize n, mxComplexity complexity);
mxArray* mxCreateDoubleScalar(double value);
mxArray* mxCreateNumericMatrix(mwSize m, mwSize n, mxClassID classId, mxComplexity complexity);
mxArray* mxCreateString(const char* text);
bool mxIsStruct(const mxArray* array);
mxArray* mxGetField(const mxArray* array, mwIndex index, const char* field);
void mxDestroyArray(mxArray* array);
int mxGetString(const mxArray* array, char* buffer, mwSize length);
mxChar* mxGetChars(const mxArray* array);

/* Memory that the host releases after the call. */
void* mxCalloc(mwSize count, mwSize size);
void mxFree(void* pointer);

/* Console and errors. An error never returns: the host leaves the module. */
#if defined(_MSC_VER)
#define EMBEDDED_MEX_NORETURN __declspec(noreturn)
#elif defined(__GNUC__)
#define EMBEDDED_MEX_NORETURN __attribute__((noreturn))
#else
#define EMBEDDED_MEX_NORETURN
#endif
int mexPrintf(const char* format, ...);
EMBEDDED_MEX_NORETURN void mexErrMsgIdAndTxt(const char* identifier, const char* format, ...);
EMBEDDED_MEX_NORETURN void mexErrMsgTxt(const char* message);
void mexWarnMsgIdAndTxt(const char* identifier, const char* format, ...);

/* The embedded host's own addition, for the modules' interrupt polls: whether the tests'
 * stand-in for Ctrl-C has come (set by mexhost::interruptAtPoll; defined in loader.cpp). */
bool mexhostInterruptPending(void);

/* Calling the host back: the embedded host answers warning('query', id) only, with the
 * state set by mexhost::setWarningEnabled. */
int mexCallMATLAB(int nlhs, mxArray* plhs[], int nrhs, mxArray* prhs[], const char* name);

#ifdef __cplusplus
}
#endif

#endif
