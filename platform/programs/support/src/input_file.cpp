#include "programs/input_file.h"

#include "platform/files.h"
#include "platform/last_error.h"
#include "platform/paths.h"

namespace platform::programs {

namespace {

bool Fail(std::string* error, std::string message) {
  if (error) *error = std::move(message);
  return false;
}

}  // namespace

std::string_view FileNameOf(std::string_view path) {
  const std::size_t separator = path.find_last_of(kPathSeparator);
  return separator == std::string_view::npos ? path : path.substr(separator + 1);
}

std::string ExtensionOf(std::string_view path) {
  const std::string_view name = FileNameOf(path);
  const std::size_t dot = name.find_last_of('.');
  if (dot == std::string_view::npos) return {};
  std::string extension(name.substr(dot + 1));
  for (char& c : extension) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return extension;
}

bool CheckInputFile(std::string_view path, std::string* error) {
  const std::string quoted = "\"" + std::string(path) + "\"";
  DWORD parse_error = 0;
  if (!HandheldPath::Parse(path, &parse_error)) {
    return Fail(error, quoted + " is not a valid file name.");
  }
  const DWORD attributes = GetFileAttributes(path);
  if (attributes == INVALID_FILE_ATTRIBUTES) return Fail(error, quoted + " cannot be found.");
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
    return Fail(error, quoted + " is a folder, not a file.");
  }
  return true;
}

std::optional<std::vector<std::byte>> ReadInputFile(std::string_view path, std::string* error) {
  if (!CheckInputFile(path, error)) return std::nullopt;
  const std::string quoted = "\"" + std::string(path) + "\"";
  FileHandle file = CreateFile(path, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING);
  if (!file) {
    Fail(error, quoted + " cannot be opened.");
    return std::nullopt;
  }
  DWORD size_high = 0;
  const DWORD size_low = GetFileSize(file, &size_high);
  const std::uint64_t size = (std::uint64_t{size_high} << 32) | size_low;
  if (size > kMaxInputFileBytes) {
    CloseFile(file);
    Fail(error, quoted + " is too large.");
    return std::nullopt;
  }
  std::vector<std::byte> bytes(size);
  DWORD read = 0;
  const bool whole =
      size == 0 || (ReadFile(file, bytes.data(), static_cast<DWORD>(size), &read) && read == size);
  CloseFile(file);
  if (!whole) {
    Fail(error, quoted + " cannot be read.");
    return std::nullopt;
  }
  return bytes;
}

}  // namespace platform::programs
