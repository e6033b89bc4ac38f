#include "imaging_library.h"

namespace gallery {

bool ImagingLibrary::Open() {
  Close();
  module_ = platform::LoadLibrary(imaging::kModuleName);
  if (!module_) return false;
  using platform::GetProcAddressAs;
  load_image = GetProcAddressAs<imaging::LoadImageFromFileFunction>(
      module_, imaging::kLoadImageFromFileExport);
  load_image_ex = GetProcAddressAs<imaging::LoadImageFromFileExFunction>(
      module_, imaging::kLoadImageFromFileExExport);
  scale_bitmap =
      GetProcAddressAs<imaging::ScaleBitmapFunction>(module_, imaging::kScaleBitmapExport);
  rotate_bitmap =
      GetProcAddressAs<imaging::RotateBitmapFunction>(module_, imaging::kRotateBitmapExport);
  rotate_jpeg = GetProcAddressAs<imaging::RotateJPEGFunction>(module_, imaging::kRotateJPEGExport);
  read_comment =
      GetProcAddressAs<imaging::JpegReadCommentFunction>(module_, imaging::kJpegReadCommentExport);
  write_comment = GetProcAddressAs<imaging::JpegWriteCommentFunction>(
      module_, imaging::kJpegWriteCommentExport);
  if (!load_image || !load_image_ex || !scale_bitmap || !rotate_bitmap || !rotate_jpeg ||
      !read_comment || !write_comment) {
    Close();
    return false;
  }
  return true;
}

void ImagingLibrary::Close() {
  if (module_) platform::FreeLibrary(module_);
  module_ = nullptr;
  load_image = nullptr;
  load_image_ex = nullptr;
  scale_bitmap = nullptr;
  rotate_bitmap = nullptr;
  rotate_jpeg = nullptr;
  read_comment = nullptr;
  write_comment = nullptr;
}

}  // namespace gallery
