// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// Working memory that a routine keeps from one call to the next.
//
// A module is called thousands of times in a fit. Memory freshly obtained on every call costs
// system time each time: large blocks come from the operating system as new pages, and the C
// library gives a trimmed heap back and grows it again. So the largest array that a routine
// used is kept (up to kKeptStorageLimit bytes) and handed to its next call, until the module
// is unloaded. The arrays are not zero-filled: the routine writes before it reads.
//
// The spare lives in one KeptSpare object per routine family, defined in a source file (not
// in an inline function, whose static objects the loader may share between modules and then
// never unload), and shared by the calling threads: a call that finds it taken allocates its
// own.
#pragma once

#include <cstddef>
#include <memory>
#include <mutex>
#include <utility>

const std::size_t kKeptStorageLimit = std::size_t(256) << 20;

template <class T>
struct KeptSpare {
    std::mutex mutex;
    std::unique_ptr<T[]> data;
    std::size_t capacity = 0;

    // Frees the kept array: the next call allocates afresh.
    void release() {
        std::unique_ptr<T[]> dropped;
        std::lock_guard<std::mutex> lock(mutex);
        dropped = std::move(data);
        capacity = 0;
    }
};

template <class T>
class KeptStorage {
public:
    KeptStorage() = default;

    // At least `count` elements; std::bad_alloc when memory runs out.
    KeptStorage(KeptSpare<T>& spare, std::size_t count) : spare_(&spare) {
        {
            std::lock_guard<std::mutex> lock(spare.mutex);
            if (spare.capacity >= count) {
                data_ = std::move(spare.data);
                capacity_ = std::exchange(spare.capacity, 0);
                return;
            }
        }
        data_.reset(new T[count]);
        capacity_ = count;
    }

    KeptStorage(KeptStorage&& other) noexcept
        : spare_(other.spare_),
          data_(std::move(other.data_)),
          capacity_(std::exchange(other.capacity_, 0)) {}
    KeptStorage& operator=(KeptStorage&& other) noexcept {
        if (this != &other) {
            giveBack();
            spare_ = other.spare_;
            data_ = std::move(other.data_);
            capacity_ = std::exchange(other.capacity_, 0);
        }
        return *this;
    }
    KeptStorage(const KeptStorage&) = delete;
    KeptStorage& operator=(const KeptStorage&) = delete;

    ~KeptStorage() { giveBack(); }

    T* data() const { return data_.get(); }
    T& operator[](std::size_t i) const { return data_[i]; }
    std::size_t capacity() const { return capacity_; }

private:
    // The larger of this array and the spare stays; the other is freed after the lock.
    void giveBack() noexcept {
        if (!data_) return;
        if (capacity_ <= kKeptStorageLimit / sizeof(T)) {
            std::lock_guard<std::mutex> lock(spare_->mutex);
            if (capacity_ > spare_->capacity) {
                std::swap(data_, spare_->data);
                std::swap(capacity_, spare_->capacity);
            }
        }
        data_.reset();
        capacity_ = 0;
    }

    KeptSpare<T>* spare_ = nullptr;
    std::unique_ptr<T[]> data_;
    std::size_t capacity_ = 0;
};
