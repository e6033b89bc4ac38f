#include "avi_file_output.h"

#include "platform/time.h"

namespace recording {

bool AviFileOutput::Write(const void* data, DWORD size) {
  // Nothing can be retried on a file that never opened.
  if (!file_) return false;
  const auto* bytes = static_cast<const std::uint8_t*>(data);
  DWORD written = 0;
  platform::WriteFile(file_, bytes, size, &written);
  if (written < size) {
    // The card may be busy or short of room for a moment: give it time.
    Flush();
    platform::Sleep(kRetryDelayMs);
    DWORD rest = 0;
    platform::WriteFile(file_, bytes + written, size - written, &rest);
    written += rest;
  }
  if (++write_count_ % kFlushEvery == 0) Flush();
  return written == size;
}

LONG AviFileOutput::Position() const {
  if (!file_) return -1;
  const DWORD position = platform::SetFilePointer(file_, 0, nullptr, platform::FILE_CURRENT);
  if (position == platform::INVALID_SET_FILE_POINTER &&
      platform::GetLastError() != platform::ERROR_SUCCESS) {
    return -1;
  }
  return static_cast<LONG>(position);
}

bool AviFileOutput::Seek(DWORD position) {
  if (!file_) return false;
  const DWORD moved =
      platform::SetFilePointer(file_, static_cast<LONG>(position), nullptr, platform::FILE_BEGIN);
  return moved == position;
}

bool AviFileOutput::SeekToEnd() {
  if (!file_) return false;
  return platform::SetFilePointer(file_, 0, nullptr, platform::FILE_END) !=
         platform::INVALID_SET_FILE_POINTER;
}

bool AviFileOutput::Truncate(DWORD position) {
  return Seek(position) && platform::SetEndOfFile(file_);
}

void AviFileOutput::Flush() {
  if (file_) platform::FlushFileBuffers(file_);
}

void AviFileOutput::Close() {
  if (file_) platform::CloseFile(file_);
  write_count_ = 0;
}

}  // namespace recording
