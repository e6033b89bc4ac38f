// The clip file as the writer uses it. Every write goes through Write(): a
// short write is retried once after a flush and 300 ms, and every 30th write
// flushes the file so that a card removal loses little.
#pragma once

#include <cstdint>

#include "platform/files.h"
#include "recording/avi_formats.h"

namespace recording {

class AviFileOutput {
 public:
  static constexpr DWORD kRetryDelayMs = 300;
  static constexpr DWORD kFlushEvery = 30;

  explicit AviFileOutput(platform::FileHandle file) : file_(std::move(file)) {}

  bool valid() const { return static_cast<bool>(file_); }
  // False when not every byte could be written, even after the retry.
  bool Write(const void* data, DWORD size);
  // The file position, or -1 for a file that is not open.
  LONG Position() const;
  bool Seek(DWORD position);
  bool SeekToEnd();
  // Cuts the file at `position` and leaves the file position there.
  bool Truncate(DWORD position);
  void Flush();
  // Closes the file; the write count starts again for the next file.
  void Close();

 private:
  platform::FileHandle file_;
  DWORD write_count_ = 0;
};

}  // namespace recording
