#pragma once
// What the adapters need of COM: the calling thread's apartment and an owning interface pointer.
#include <windows.h>
#include <objbase.h>

#include <utility>

#include "shared/status.h"

namespace shared::win32 {

// Makes sure the calling thread has entered COM. The first call on a thread enters a
// single-threaded apartment (the programs call the shell from their one UI thread, which a window
// with shell objects needs anyway) and the thread stays in it for its life: leaving it would unload
// the shell's objects between calls. A thread that is already in COM, in either kind of apartment,
// is used as it is; shell links work in both. Fails only when COM cannot start at all.
Status EnsureComApartment();

// Owns one reference to an interface.
template <typename T>
class ComPtr {
 public:
  ComPtr() = default;
  ComPtr(const ComPtr&) = delete;
  ComPtr& operator=(const ComPtr&) = delete;
  ComPtr(ComPtr&& other) noexcept : ptr_(std::exchange(other.ptr_, nullptr)) {}
  ComPtr& operator=(ComPtr&& other) noexcept {
    if (this != &other) {
      Reset();
      ptr_ = std::exchange(other.ptr_, nullptr);
    }
    return *this;
  }
  ~ComPtr() { Reset(); }

  T* get() const { return ptr_; }
  T* operator->() const { return ptr_; }
  explicit operator bool() const { return ptr_ != nullptr; }
  // For out-parameters: releases what is held and hands out the slot.
  T** Receive() {
    Reset();
    return &ptr_;
  }
  void** ReceiveVoid() { return reinterpret_cast<void**>(Receive()); }
  void Reset() {
    if (ptr_ != nullptr) std::exchange(ptr_, nullptr)->Release();
  }

 private:
  T* ptr_ = nullptr;
};

// A failed Status for an HRESULT, with the system's text for it.
Status HresultError(HRESULT result);

}  // namespace shared::win32
