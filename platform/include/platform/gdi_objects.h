// Scoped ownership for drawing objects: a pen, brush, font or bitmap that
// is deleted when it goes out of scope, and an object selected into a
// context for a scope, with the previous one put back after.
#pragma once

#include <utility>

#include "platform/gdi.h"

namespace platform {

template <typename Handle = HGDIOBJ>
class OwnedGdiObject {
 public:
  explicit OwnedGdiObject(Handle handle = nullptr) : handle_(handle) {}
  ~OwnedGdiObject() { Reset(); }
  OwnedGdiObject(OwnedGdiObject&& other) noexcept
      : handle_(std::exchange(other.handle_, nullptr)) {}
  OwnedGdiObject& operator=(OwnedGdiObject&& other) noexcept {
    if (this != &other) Reset(std::exchange(other.handle_, nullptr));
    return *this;
  }
  OwnedGdiObject(const OwnedGdiObject&) = delete;
  OwnedGdiObject& operator=(const OwnedGdiObject&) = delete;

  // Deletes the object held and takes `handle` instead.
  void Reset(Handle handle = nullptr) {
    if (handle_) DeleteObject(handle_);
    handle_ = handle;
  }
  Handle get() const { return handle_; }

 private:
  Handle handle_;
};

class ScopedSelect {
 public:
  ScopedSelect(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
  ~ScopedSelect() {
    if (previous_) SelectObject(dc_, previous_);
  }
  ScopedSelect(const ScopedSelect&) = delete;
  ScopedSelect& operator=(const ScopedSelect&) = delete;

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

}  // namespace platform
