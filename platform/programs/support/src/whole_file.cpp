#include "programs/whole_file.h"

#include <algorithm>

#include "platform/files.h"
#include "platform/last_error.h"
#include "platform/paths.h"

namespace platform::programs {

namespace {

bool Fail(std::string* error, std::string message) {
  if (error) *error = std::move(message);
  return false;
}

bool IsFolder(std::string_view path) {
  const DWORD attributes = GetFileAttributes(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

bool EnsureFolder(std::string_view folder, std::string* error) {
  if (IsFolder(folder)) return true;
  // Each level from the top down; an existing level is fine.
  std::size_t next = 1;
  while (next <= folder.size()) {
    std::size_t end = folder.find(kPathSeparator, next);
    if (end == std::string_view::npos) end = folder.size();
    const std::string_view level = folder.substr(0, end);
    if (!IsFolder(level) && !CreateDirectory(level)) {
      return Fail(error, "The folder \"" + std::string(level) + "\" cannot be made.");
    }
    next = end + 1;
  }
  return true;
}

std::optional<std::string> FreeFileName(std::string_view folder, std::string_view stem,
                                        std::string_view extension) {
  const std::string base = std::string(folder) + kPathSeparator + std::string(stem);
  for (int number = 1; number <= 9999; ++number) {
    const std::string path =
        number == 1 ? base + std::string(extension)
                    : base + " (" + std::to_string(number) + ")" + std::string(extension);
    if (Utf16Length(path) >= MAX_PATH) return std::nullopt;
    if (GetFileAttributes(path) == INVALID_FILE_ATTRIBUTES) return path;
  }
  return std::nullopt;
}

bool WriteWholeFile(std::string_view path, std::span<const std::byte> bytes, std::string* error) {
  const std::string quoted = "\"" + std::string(path) + "\"";
  const std::string side = std::string(path) + ".part";
  FileHandle file = CreateFile(side, GENERIC_WRITE, 0, CREATE_ALWAYS);
  if (!file) return Fail(error, quoted + " cannot be written.");
  // One write at a time of at most a megabyte keeps each request modest.
  constexpr std::size_t kChunk = std::size_t{1} << 20;
  bool written = true;
  for (std::size_t offset = 0; written && offset < bytes.size(); offset += kChunk) {
    const DWORD count = static_cast<DWORD>(std::min(kChunk, bytes.size() - offset));
    DWORD done = 0;
    written = WriteFile(file, bytes.data() + offset, count, &done) && done == count;
  }
  const DWORD write_error = written ? 0 : GetLastError();
  written = written && FlushFileBuffers(file);
  CloseFile(file);
  if (written && MoveFile(side, path)) return true;
  DeleteFile(side);
  if (write_error == ERROR_DISK_FULL) return Fail(error, "There is no room for " + quoted + ".");
  return Fail(error, quoted + " cannot be written.");
}

}  // namespace platform::programs
