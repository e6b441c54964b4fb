#pragma once

#include <utility>

namespace db {

// Owns one reference to a Firebird interface (or a disposable object such as a parameter block). A finishing call that succeeds (commit, detach,
// free, close) hands the reference back to the library: take() it then, so it is not released twice.
template <class T>
class FbHandle {
public:
    FbHandle() = default;
    explicit FbHandle(T* ptr) : ptr_(ptr) {}
    FbHandle(FbHandle&& other) noexcept : ptr_(std::exchange(other.ptr_, nullptr)) {}
    FbHandle& operator=(FbHandle&& other) noexcept
    {
        if (this != &other)
            reset(std::exchange(other.ptr_, nullptr));
        return *this;
    }
    FbHandle(const FbHandle&) = delete;
    FbHandle& operator=(const FbHandle&) = delete;
    ~FbHandle() { reset(); }

    void reset(T* ptr = nullptr)
    {
        if (ptr_) {
            if constexpr (requires { ptr_->release(); })
                ptr_->release();
            else
                ptr_->dispose();
        }
        ptr_ = ptr;
    }
    T* take() { return std::exchange(ptr_, nullptr); }
    T* get() const { return ptr_; }
    T* operator->() const { return ptr_; }
    explicit operator bool() const { return ptr_ != nullptr; }

private:
    T* ptr_ = nullptr;
};

} // namespace db
