// A screen-sized drawing surface of the slideshow: a 24-bit top-down DIB
// section selected into a memory context of its own, reachable both by
// the window system's drawing calls and as pixels for the transitions.
#pragma once

#include <memory>

#include "gallery/transitions/picture.h"
#include "platform/gdi.h"

namespace gallery {

class SlideSurface {
 public:
  // Null when the memory for it cannot be had.
  static std::unique_ptr<SlideSurface> Create(int width, int height);
  ~SlideSurface();
  SlideSurface(const SlideSurface&) = delete;
  SlideSurface& operator=(const SlideSurface&) = delete;

  platform::HDC dc() const { return dc_; }
  const transitions::Picture& picture() const { return picture_; }
  int width() const { return picture_.width; }
  int height() const { return picture_.height; }

  void FillBlack();
  void CopyFrom(const SlideSurface& other);

 private:
  SlideSurface() = default;

  platform::HBITMAP bitmap_ = nullptr;
  platform::HDC dc_ = nullptr;
  platform::HGDIOBJ previous_ = nullptr;
  transitions::Picture picture_;
};

}  // namespace gallery
