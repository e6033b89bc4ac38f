#include "imaging/install.h"

#include <span>
#include <string_view>

#include "exports.h"
#include "platform/files.h"
#include "platform/modules.h"

namespace imaging {

namespace {

constexpr std::string_view kModuleFile = "built-in module \\Windows\\qximglib.dll\n";

bool Fail(std::string* error, std::string message) {
  if (error) *error = std::move(message);
  return false;
}

}  // namespace

bool InstallImagingModule(platform::Handheld& handheld, std::string* error) {
  platform::ModuleDefinition definition;
  definition.exports.Add(kLoadImageFromFileExport, &LoadImageFromFile)
      .Add(kLoadImageFromFileExExport, &LoadImageFromFileEx)
      .Add(kScaleBitmapExport, &ScaleBitmap)
      .Add(kRotateBitmapExport, &RotateBitmap)
      .Add(kRotateJPEGExport, &RotateJPEG)
      .Add(kJpegReadCommentExport, &JpegReadComment)
      .Add(kJpegWriteCommentExport, &JpegWriteComment);
  if (!handheld.modules().Register(kModulePath, std::move(definition))) {
    return Fail(error, "qximglib.dll: already built in or bad path");
  }
  if (!handheld.files().InstallFile(kModulePath, std::as_bytes(std::span(kModuleFile)))) {
    return Fail(error, "qximglib.dll: cannot write its file");
  }
  return true;
}

}  // namespace imaging
