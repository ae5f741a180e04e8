#pragma once
// Move-only owner of one COM reference; application code never calls Release.
#include "framework/WinInclude.h"  // __uuidof

#include <utility>

namespace fw {

template <class T>
class ComPtr {
 public:
  ComPtr() = default;
  ComPtr(std::nullptr_t) {}
  ComPtr(const ComPtr&) = delete;
  ComPtr& operator=(const ComPtr&) = delete;
  ComPtr(ComPtr&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
  ComPtr& operator=(ComPtr&& other) noexcept {
    if (this != &other) Reset(std::exchange(other.p_, nullptr));
    return *this;
  }
  ~ComPtr() { Reset(); }

  // Takes over a reference the caller already owns.
  static ComPtr Attach(T* p) {
    ComPtr c;
    c.p_ = p;
    return c;
  }
  // Adds a reference of its own.
  static ComPtr Share(T* p) {
    if (p) p->AddRef();
    return Attach(p);
  }

  void Reset(T* p = nullptr) {
    if (p_) p_->Release();
    p_ = p;
  }
  T* Detach() { return std::exchange(p_, nullptr); }

  T* get() const { return p_; }
  T* operator->() const { return p_; }
  explicit operator bool() const { return p_ != nullptr; }

  // For out-parameters: releases what is held first.
  T** put() {
    Reset();
    return &p_;
  }
  void** put_void() { return reinterpret_cast<void**>(put()); }

  template <class U>
  long As(ComPtr<U>& out) const {
    if (!p_) return static_cast<long>(0x80004003L);  // E_POINTER
    return p_->QueryInterface(__uuidof(U), out.put_void());
  }

 private:
  T* p_ = nullptr;
};

}  // namespace fw
