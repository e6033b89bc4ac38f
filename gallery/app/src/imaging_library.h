// The imaging library "qximglib.dll", linked by name: its seven exports,
// looked up once when it is opened, for the parts that load, scale and
// turn pictures and read and write JPEG comments.
#pragma once

#include "imaging/qximglib.h"
#include "platform/modules.h"

namespace gallery {

class ImagingLibrary {
 public:
  ImagingLibrary() = default;
  ~ImagingLibrary() { Close(); }
  ImagingLibrary(const ImagingLibrary&) = delete;
  ImagingLibrary& operator=(const ImagingLibrary&) = delete;

  // Loads the library and finds every export; false (and nothing kept)
  // when the library is missing or lacks one of them.
  bool Open();
  void Close();
  bool is_open() const { return module_ != nullptr; }

  imaging::LoadImageFromFileFunction* load_image = nullptr;
  imaging::LoadImageFromFileExFunction* load_image_ex = nullptr;
  imaging::ScaleBitmapFunction* scale_bitmap = nullptr;
  imaging::RotateBitmapFunction* rotate_bitmap = nullptr;
  imaging::RotateJPEGFunction* rotate_jpeg = nullptr;
  imaging::JpegReadCommentFunction* read_comment = nullptr;
  imaging::JpegWriteCommentFunction* write_comment = nullptr;

 private:
  platform::HMODULE module_ = nullptr;
};

}  // namespace gallery
