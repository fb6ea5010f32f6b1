// RAII owners for Win32 kernel handles. A kernel handle is empty when it is
// null or INVALID_HANDLE_VALUE (CreateFileW reports failure with the latter,
// CreateEventW and CreateThread with null).
#pragma once

#include <windows.h>

#include <utility>

namespace korvex7::win32 {

class UniqueHandle {
 public:
  UniqueHandle() = default;
  explicit UniqueHandle(HANDLE h) : handle_(h) {}
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) reset(std::exchange(other.handle_, nullptr));
    return *this;
  }
  ~UniqueHandle() { reset(); }

  HANDLE get() const { return handle_; }
  bool valid() const { return handle_ != nullptr && handle_ != INVALID_HANDLE_VALUE; }
  explicit operator bool() const { return valid(); }

  // Closes the held handle (if any) and takes h.
  void reset(HANDLE h = nullptr) {
    if (valid()) CloseHandle(handle_);
    handle_ = h;
  }
  HANDLE release() { return std::exchange(handle_, nullptr); }

 private:
  HANDLE handle_ = nullptr;
};

// A manual-reset, initially non-signalled, unnamed event; empty when
// CreateEventW failed.
inline UniqueHandle CreateManualResetEvent() {
  return UniqueHandle(CreateEventW(nullptr, TRUE, FALSE, nullptr));
}

}  // namespace korvex7::win32
