// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// Running code under a chosen SPARSEMEX_THREADS, for the tests and the benchmarks alike.
#pragma once

#include <cstdlib>
#include <string>

namespace testthreads {

inline void setThreadsVariable(const char* value) {
#if defined(_WIN32)
    _putenv_s("SPARSEMEX_THREADS", value ? value : "");
#else
    if (value)
        setenv("SPARSEMEX_THREADS", value, 1);
    else
        unsetenv("SPARSEMEX_THREADS");
#endif
}

// Sets SPARSEMEX_THREADS for its lifetime; the previous value (or none) comes back after.
class ThreadsVariable {
public:
    explicit ThreadsVariable(const std::string& value) {
        const char* previous = std::getenv("SPARSEMEX_THREADS");
        hadPrevious_ = previous != nullptr;
        if (hadPrevious_) previous_ = previous;
        setThreadsVariable(value.c_str());
    }
    explicit ThreadsVariable(int count) : ThreadsVariable(std::to_string(count)) {}
    ~ThreadsVariable() { setThreadsVariable(hadPrevious_ ? previous_.c_str() : nullptr); }
    ThreadsVariable(const ThreadsVariable&) = delete;
    ThreadsVariable& operator=(const ThreadsVariable&) = delete;

private:
    bool hadPrevious_ = false;
    std::string previous_;
};

}  // namespace testthreads
