#include "send_record.h"

#include <cstdio>
#include <new>

#include "obex_packets.h"
#include "platform/files.h"
#include "platform/time.h"
#include "platform/utf16.h"

namespace obex {

using platform::Utf8ToUtf16;

namespace {

std::string_view FileNameOf(std::string_view path) {
  const std::size_t separator = path.rfind('\\');
  return separator == std::string_view::npos ? path : path.substr(separator + 1);
}

}  // namespace

std::u16string TimeText(const platform::FILETIME& time) {
  platform::SYSTEMTIME t;
  if (!platform::FileTimeToSystemTime(&time, &t)) t = platform::SYSTEMTIME{};
  // The text is always 20 characters, whatever the year.
  char text[kTimeTextLength + 1];
  std::snprintf(text, sizeof text, "%04d.%02d.%02dT%02d:%02d:%02dZ", t.wYear % 10000,
                t.wMonth % 100, t.wDay % 100, t.wHour % 100, t.wMinute % 100, t.wSecond % 100);
  return std::u16string(text, text + kTimeTextLength);
}

LoadOutcome LoadSendRecord(std::string_view path, BeamOutput& output, SendRecord* record) {
  platform::FileHandle file = platform::CreateFile(
      path, platform::GENERIC_READ, platform::FILE_SHARE_READ, platform::OPEN_EXISTING);
  if (!file) return LoadOutcome::kCannotOpen;

  platform::DWORD size_high = 0;
  const platform::DWORD size = platform::GetFileSize(file, &size_high);
  if (size_high != 0) {
    output.LogFormat("File too large to send: %llu bytes (at most %lu)",
                     (static_cast<unsigned long long>(size_high) << 32) | size, 0xFFFFFFFFul);
    return LoadOutcome::kFailed;
  }
  platform::FILETIME last_write;
  platform::GetFileTime(file, nullptr, nullptr, &last_write);

  record->name = Utf8ToUtf16(FileNameOf(path));
  record->size = size;
  record->time_text = TimeText(last_write);
  try {
    record->body.resize(size);
  } catch (const std::bad_alloc&) {
    output.Log("Can't allocate enough memory for Body");
    return LoadOutcome::kFailed;
  }
  platform::DWORD read = 0;
  if (size > 0 && (!platform::ReadFile(file, record->body.data(), size, &read) || read != size)) {
    output.Log("Can't read entire file");
    return LoadOutcome::kFailed;
  }
  return LoadOutcome::kLoaded;
}

}  // namespace obex
