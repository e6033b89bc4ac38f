// A handheld with the imaging library built in, its exports looked up by
// name the way the gallery does, and files put in and read back.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "imaging/install.h"
#include "imaging/qximglib.h"
#include "picture_writers.h"
#include "platform/files.h"
#include "platform/modules.h"
#include "platform/testing/temp_handheld.h"

namespace imaging::testing {

class ImagingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    ASSERT_TRUE(InstallImagingModule(handheld_.handheld(), &error)) << error;
    module_ = platform::LoadLibrary(kModuleName);
    ASSERT_NE(module_, nullptr);
    load_ =
        platform::GetProcAddressAs<LoadImageFromFileFunction>(module_, kLoadImageFromFileExport);
    load_ex_ = platform::GetProcAddressAs<LoadImageFromFileExFunction>(module_,
                                                                       kLoadImageFromFileExExport);
    scale_ = platform::GetProcAddressAs<ScaleBitmapFunction>(module_, kScaleBitmapExport);
    rotate_ = platform::GetProcAddressAs<RotateBitmapFunction>(module_, kRotateBitmapExport);
    rotate_jpeg_ = platform::GetProcAddressAs<RotateJPEGFunction>(module_, kRotateJPEGExport);
    read_comment_ =
        platform::GetProcAddressAs<JpegReadCommentFunction>(module_, kJpegReadCommentExport);
    write_comment_ =
        platform::GetProcAddressAs<JpegWriteCommentFunction>(module_, kJpegWriteCommentExport);
    ASSERT_TRUE(load_ && load_ex_ && scale_ && rotate_ && rotate_jpeg_ && read_comment_ &&
                write_comment_);
    platform::CreateDirectory(kFolder);  // may be there already
  }
  void TearDown() override {
    if (module_) platform::FreeLibrary(module_);
  }

  static std::string PathOf(const std::string& name) { return std::string(kFolder) + "\\" + name; }

  std::string Put(const std::string& name, const std::vector<std::uint8_t>& bytes) {
    const std::string path = PathOf(name);
    platform::FileHandle file =
        platform::CreateFile(path, platform::GENERIC_WRITE, 0, platform::CREATE_ALWAYS);
    EXPECT_TRUE(file);
    platform::DWORD written = 0;
    EXPECT_TRUE(platform::WriteFile(file, bytes.data(), static_cast<platform::DWORD>(bytes.size()),
                                    &written));
    platform::CloseFile(file);
    return path;
  }

  std::vector<std::uint8_t> Get(const std::string& path) {
    platform::FileHandle file = platform::CreateFile(
        path, platform::GENERIC_READ, platform::FILE_SHARE_READ, platform::OPEN_EXISTING);
    if (!file) return {};
    std::vector<std::uint8_t> bytes(platform::GetFileSize(file, nullptr));
    platform::DWORD read = 0;
    platform::ReadFile(file, bytes.data(), static_cast<platform::DWORD>(bytes.size()), &read);
    bytes.resize(read);
    return bytes;
  }

  // The files in the test folder, to see that no temporary file stays.
  std::vector<std::string> FolderNames() {
    std::vector<std::string> names;
    platform::WIN32_FIND_DATA data;
    platform::FindHandle find = platform::FindFirstFile(std::string(kFolder) + "\\*", &data);
    if (!find) return names;
    do {
      if (!(data.dwFileAttributes & platform::FILE_ATTRIBUTE_DIRECTORY)) {
        names.push_back(data.cFileName);
      }
    } while (platform::FindNextFile(find, &data));
    return names;
  }

  static constexpr char kFolder[] = "\\My Documents";

  platform::testing::TempHandheld handheld_;
  platform::HMODULE module_ = nullptr;
  LoadImageFromFileFunction* load_ = nullptr;
  LoadImageFromFileExFunction* load_ex_ = nullptr;
  ScaleBitmapFunction* scale_ = nullptr;
  RotateBitmapFunction* rotate_ = nullptr;
  RotateJPEGFunction* rotate_jpeg_ = nullptr;
  JpegReadCommentFunction* read_comment_ = nullptr;
  JpegWriteCommentFunction* write_comment_ = nullptr;
};

// The colour of a bitmap's pixel.
inline Rgb PixelOf(const Bitmap& bitmap, int x, int y) {
  const std::uint8_t* pixel = bitmap.Row(y) + x * 3;
  return {pixel[2], pixel[1], pixel[0]};
}

// Colours within `tolerance` per channel (lossy coding, averaging).
inline ::testing::AssertionResult Near(Rgb actual, Rgb expected, int tolerance) {
  const auto off = [&](int a, int b) { return a - b > tolerance || b - a > tolerance; };
  if (off(actual.red, expected.red) || off(actual.green, expected.green) ||
      off(actual.blue, expected.blue)) {
    return ::testing::AssertionFailure()
           << "(" << int{actual.red} << "," << int{actual.green} << "," << int{actual.blue}
           << ") is not near (" << int{expected.red} << "," << int{expected.green} << ","
           << int{expected.blue} << ")";
  }
  return ::testing::AssertionSuccess();
}

}  // namespace imaging::testing
