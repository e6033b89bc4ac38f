// The imaging library "qximglib.dll" as its callers see it: where it is,
// the types of its exports by name, the picture information it fills and
// the values its results take. Callers load it by name and look each export
// up with platform::GetProcAddressAs<the function type>.
//
// Paths are handheld paths in UTF-8. A bitmap handed out belongs to the
// caller (it is a std::unique_ptr the caller holds). No export throws.
#pragma once

#include <memory>

#include "imaging/bitmap.h"
#include "platform/types.h"

namespace imaging {

inline constexpr char kModulePath[] = "\\Windows\\qximglib.dll";
inline constexpr char kModuleName[] = "qximglib.dll";

// What a loader tells about the picture as stored, before any reduction.
struct ImageInfo {
  platform::WORD width = 0;
  platform::WORD height = 0;
  // The stored format (ImageFormat below).
  platform::WORD format = 0;
};

enum ImageFormat : platform::WORD {
  kFormatNone = 0,
  kFormatJpeg = 1,
  kFormatPng = 2,
  kFormatGif = 3,
  kFormatBmp = 4,
  // A device-independent bitmap of two bits per pixel, the handheld's
  // greyscale pictures (".2bp").
  kFormat2bp = 5,
};

// Results of the loaders: 0 is success, every other value a failure.
enum LoadResult : int {
  kLoadOk = 0,
  kLoadBadArgument = 1,  // null path or bitmap, negative size, direction not 0 or 1
  kLoadCannotOpen = 2,   // missing path, a folder, no access
  kLoadNotAPicture = 3,  // no format the library knows
  kLoadDamaged = 4,      // damaged or truncated data
  kLoadTooLarge = 5,     // the picture or the file does not fit in memory
};

// Directions of the quarter turns.
inline constexpr int kTurnCounterClockwise = 0;
inline constexpr int kTurnClockwise = 1;

// LoadImageFromFile(path, out bitmap, maximum width, maximum height,
// out information or null). The bitmap fits within the maximum, keeping the
// picture's proportions and never enlarged; with 0, 0 it has the picture's
// own size, except that a JPEG too large for memory comes back reduced.
using LoadImageFromFileFunction = int(const char* path, std::unique_ptr<Bitmap>* bitmap,
                                      int max_width, int max_height, ImageInfo* info);

// LoadImageFromFileEx(the same five, rotate-to-fit, direction): with
// rotate-to-fit on and a maximum given, the picture is turned a quarter in
// `direction` when, fitted turned, it covers more of the maximum than
// fitted as it is. The information stays that of the stored picture.
using LoadImageFromFileExFunction = int(const char* path, std::unique_ptr<Bitmap>* bitmap,
                                        int max_width, int max_height, ImageInfo* info,
                                        platform::BOOL rotate_to_fit, int direction);

// ScaleBitmap(in/out bitmap, maximum width, maximum height, out scale):
// nonzero when the bitmap now fits within the maximum (replaced by a
// reduced copy when it did not fit; never enlarged; a 0 limit is none).
// *scale (may be null) receives the factor applied in thousandths.
using ScaleBitmapFunction = platform::BOOL(std::unique_ptr<Bitmap>* bitmap, int max_width,
                                           int max_height, platform::DWORD* scale);

// RotateBitmap(in/out bitmap, direction, the scale ScaleBitmap gave or
// null): replaces the bitmap by its quarter turn; the scale passes through
// unchanged. Zero for a missing bitmap or a direction not 0 or 1.
using RotateBitmapFunction = platform::BOOL(std::unique_ptr<Bitmap>* bitmap, int direction,
                                            platform::DWORD* scale);

// RotateJPEG(path, direction): turns the JPEG file a quarter without loss,
// keeping its Exif and comment segments. Nonzero when the file was
// replaced; zero leaves it as it was (read-only, not a JPEG, damaged, no
// room, no memory).
using RotateJPEGFunction = platform::BOOL(const char* path, int direction);

// JpegReadComment(path, buffer or null, size of the buffer in bytes):
// nonzero when the file carries a non-empty comment; with a buffer the
// comment is copied there zero-terminated (cut to size - 1 bytes).
using JpegReadCommentFunction = platform::BOOL(const char* path, char* buffer,
                                               platform::DWORD size);

// JpegWriteComment(path, text, length counting the terminating zero or 0
// for none, reserved 0): rewrites the file with that one comment, or with
// none, keeping every other segment. Nonzero when the file holds the
// comment afterwards; zero leaves it as it was.
using JpegWriteCommentFunction = platform::BOOL(const char* path, const char* text,
                                                platform::WORD length, platform::DWORD reserved);

inline constexpr char kLoadImageFromFileExport[] = "LoadImageFromFile";
inline constexpr char kLoadImageFromFileExExport[] = "LoadImageFromFileEx";
inline constexpr char kScaleBitmapExport[] = "ScaleBitmap";
inline constexpr char kRotateBitmapExport[] = "RotateBitmap";
inline constexpr char kRotateJPEGExport[] = "RotateJPEG";
inline constexpr char kJpegReadCommentExport[] = "JpegReadComment";
inline constexpr char kJpegWriteCommentExport[] = "JpegWriteComment";

}  // namespace imaging
