// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// What a thread leaves for the code it calls, found again by its thread id.
//
// This is the job of thread_local, which a module cannot use: a loaded module's thread-local
// storage is allocated on a thread's first use of it, and where memory is short that
// allocation ends the whole process (the host's session with it), where no error can be
// caught. A mark lives in the frame of the code that made it; the marks of every thread are
// kept in one list under a lock, which is read only where a mark may be looked for.
#pragma once

#include <atomic>
#include <mutex>
#include <thread>

// A value for the code that the making thread calls while the mark is alive. Marks of one
// Value type nest: a thread finds the newest of its own.
template <class Value>
class ThreadMark {
public:
    explicit ThreadMark(Value value) noexcept
        : value_(value), thread_(std::this_thread::get_id()) {
        Marks& marks = allMarks();
        std::lock_guard<std::mutex> hold(marks.lock);
        next_ = marks.newest;
        marks.newest = this;
        marks.count.fetch_add(1, std::memory_order_release);
    }

    ~ThreadMark() {
        Marks& marks = allMarks();
        std::lock_guard<std::mutex> hold(marks.lock);
        ThreadMark** link = &marks.newest;
        while (*link != this) link = &(*link)->next_;
        *link = next_;
        marks.count.fetch_sub(1, std::memory_order_release);
    }

    ThreadMark(const ThreadMark&) = delete;
    ThreadMark& operator=(const ThreadMark&) = delete;

    // The value of this thread's newest live mark, or nullptr when it has none. With no mark
    // anywhere, no lock is taken.
    static const Value* ofThisThread() {
        Marks& marks = allMarks();
        if (marks.count.load(std::memory_order_acquire) == 0) return nullptr;
        const std::thread::id self = std::this_thread::get_id();
        std::lock_guard<std::mutex> hold(marks.lock);
        for (const ThreadMark* mark = marks.newest; mark != nullptr; mark = mark->next_)
            if (mark->thread_ == self) return &mark->value_;
        return nullptr;
    }

private:
    struct Marks {
        std::mutex lock;
        ThreadMark* newest = nullptr;
        std::atomic<int> count{0};
    };

    static Marks& allMarks() {
        static Marks marks;
        return marks;
    }

    const Value value_;
    const std::thread::id thread_;
    ThreadMark* next_ = nullptr;
};
