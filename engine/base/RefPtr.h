#pragma once

#include <utility>

namespace engine {

// Owning pointer for fields: retains what it holds, releases it when replaced or destroyed.
template <typename T>
class RefPtr {
public:
    RefPtr() = default;
    RefPtr(T* object) : ptr_(object) {  // NOLINT(google-explicit-constructor)
        if (ptr_) ptr_->retain();
    }
    RefPtr(const RefPtr& other) : RefPtr(other.ptr_) {}
    RefPtr(RefPtr&& other) noexcept : ptr_(other.ptr_) { other.ptr_ = nullptr; }
    ~RefPtr() { reset(); }

    RefPtr& operator=(T* object) {
        if (object) object->retain();
        T* old = ptr_;
        ptr_ = object;
        if (old) old->release();
        return *this;
    }
    RefPtr& operator=(const RefPtr& other) { return *this = other.ptr_; }
    RefPtr& operator=(RefPtr&& other) noexcept {
        if (this != &other) {
            T* old = ptr_;
            ptr_ = other.ptr_;
            other.ptr_ = nullptr;
            if (old) old->release();
        }
        return *this;
    }

    void reset() {
        T* old = ptr_;
        ptr_ = nullptr;
        if (old) old->release();
    }

    T* get() const { return ptr_; }
    T* operator->() const { return ptr_; }
    T& operator*() const { return *ptr_; }
    explicit operator bool() const { return ptr_ != nullptr; }
    operator T*() const { return ptr_; }  // NOLINT(google-explicit-constructor)

private:
    T* ptr_ = nullptr;
};

}  // namespace engine
