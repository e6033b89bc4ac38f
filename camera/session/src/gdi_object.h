// Ownership of drawing objects and memory contexts: each is deleted once,
// when its owner goes.
#pragma once

#include <utility>

#include "platform/gdi.h"

namespace camera {

// A pen, brush, font or bitmap (DeleteObject).
template <typename Handle>
class GdiObject {
 public:
  GdiObject() = default;
  explicit GdiObject(Handle handle) : handle_(handle) {}
  ~GdiObject() { reset(); }
  GdiObject(GdiObject&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
  GdiObject& operator=(GdiObject&& other) noexcept {
    if (this != &other) {
      reset();
      handle_ = std::exchange(other.handle_, nullptr);
    }
    return *this;
  }
  GdiObject(const GdiObject&) = delete;
  GdiObject& operator=(const GdiObject&) = delete;

  Handle get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }
  void reset(Handle handle = nullptr) {
    if (handle_) platform::DeleteObject(handle_);
    handle_ = handle;
  }

 private:
  Handle handle_ = nullptr;
};

// A memory drawing context with one bitmap selected for its whole life; the
// context's first bitmap is put back before it is deleted.
class MemoryDc {
 public:
  MemoryDc(platform::HDC compatible_with, platform::HBITMAP bitmap)
      : dc_(platform::CreateCompatibleDC(compatible_with)) {
    if (dc_) original_ = platform::SelectObject(dc_, bitmap);
  }
  ~MemoryDc() {
    if (!dc_) return;
    if (original_) platform::SelectObject(dc_, original_);
    platform::DeleteDC(dc_);
  }
  MemoryDc(const MemoryDc&) = delete;
  MemoryDc& operator=(const MemoryDc&) = delete;

  platform::HDC get() const { return dc_; }
  explicit operator bool() const { return dc_ != nullptr && original_ != nullptr; }

 private:
  platform::HDC dc_ = nullptr;
  platform::HGDIOBJ original_ = nullptr;
};

}  // namespace camera
