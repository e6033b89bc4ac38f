#include "file_access.h"

#include <algorithm>
#include <new>
#include <optional>
#include <string>

#include "platform/change_notify.h"
#include "platform/files.h"
#include "platform/handheld.h"

namespace imaging {

namespace {

using platform::DWORD;

// Writes are made in pieces the platform's 32-bit counts can carry.
constexpr DWORD kChunk = 1u << 20;

std::string FolderOf(std::string_view path) {
  const std::size_t cut = path.rfind('\\');
  return std::string(cut == std::string_view::npos ? std::string_view() : path.substr(0, cut + 1));
}

// A name in `folder` that nothing uses yet, made with CREATE_NEW so that no
// other writer can take it between the test and the creation.
std::optional<std::string> CreateUnusedFile(const std::string& folder, std::string_view suffix,
                                            platform::FileHandle* handle) {
  for (int attempt = 0; attempt < 1000; ++attempt) {
    std::string name = folder + "~qximg" + std::to_string(attempt) + std::string(suffix);
    *handle = platform::CreateFile(name, platform::GENERIC_WRITE, 0, platform::CREATE_NEW);
    if (*handle) return name;
    if (platform::GetLastError() != platform::ERROR_FILE_EXISTS &&
        platform::GetLastError() != platform::ERROR_ALREADY_EXISTS) {
      return std::nullopt;
    }
  }
  return std::nullopt;
}

bool WriteAll(const platform::FileHandle& file, std::span<const std::uint8_t> contents) {
  while (!contents.empty()) {
    const DWORD piece = static_cast<DWORD>(std::min<std::size_t>(contents.size(), kChunk));
    DWORD written = 0;
    if (!platform::WriteFile(file, contents.data(), piece, &written) || written != piece) {
      return false;
    }
    contents = contents.subspan(piece);
  }
  return true;
}

// The temporary file with the new contents, complete and closed.
std::optional<std::string> WriteTemporary(const std::string& folder,
                                          std::span<const std::uint8_t> contents) {
  platform::FileHandle file;
  std::optional<std::string> name = CreateUnusedFile(folder, ".tmp", &file);
  if (!name) return std::nullopt;
  const bool written = WriteAll(file, contents) && platform::FlushFileBuffers(file);
  const bool closed = platform::CloseFile(file);
  if (written && closed) return name;
  platform::DeleteFile(*name);
  return std::nullopt;
}

// A free name for the old file while the new one takes its place.
std::optional<std::string> ReserveAsideName(const std::string& folder) {
  platform::FileHandle file;
  std::optional<std::string> name = CreateUnusedFile(folder, ".old", &file);
  if (!name) return std::nullopt;
  platform::CloseFile(file);
  // MoveFile needs the name free; the empty file only held it for us.
  if (!platform::DeleteFile(*name)) return std::nullopt;
  return name;
}

}  // namespace

LoadResult ReadWholeFile(std::string_view path, std::vector<std::uint8_t>* bytes) {
  platform::FileHandle file = platform::CreateFile(
      path, platform::GENERIC_READ, platform::FILE_SHARE_READ, platform::OPEN_EXISTING);
  if (!file) return kLoadCannotOpen;
  DWORD size_high = 0;
  const DWORD size = platform::GetFileSize(file, &size_high);
  if (size == platform::INVALID_FILE_SIZE && platform::GetLastError() != platform::ERROR_SUCCESS) {
    return kLoadCannotOpen;
  }
  if (size_high != 0 || size > kMaxFileBytes) return kLoadTooLarge;
  try {
    bytes->resize(size);
  } catch (const std::bad_alloc&) {
    return kLoadTooLarge;
  }
  std::size_t done = 0;
  while (done < size) {
    DWORD read = 0;
    const DWORD piece = static_cast<DWORD>(std::min<std::size_t>(size - done, kChunk));
    if (!platform::ReadFile(file, bytes->data() + done, piece, &read)) return kLoadCannotOpen;
    if (read == 0) break;
    done += read;
  }
  bytes->resize(done);
  return kLoadOk;
}

bool ReplaceFileContents(std::string_view path, std::span<const std::uint8_t> contents) {
  const DWORD attributes = platform::GetFileAttributes(path);
  if (attributes == platform::INVALID_FILE_ATTRIBUTES) return false;
  constexpr DWORD kUnwritable = platform::FILE_ATTRIBUTE_READONLY | platform::FILE_ATTRIBUTE_INROM |
                                platform::FILE_ATTRIBUTE_DIRECTORY;
  if (attributes & kUnwritable) {
    platform::SetLastError(platform::ERROR_ACCESS_DENIED);
    return false;
  }
  const std::string folder = FolderOf(path);
  const std::optional<std::string> fresh = WriteTemporary(folder, contents);
  if (!fresh) return false;
  const std::optional<std::string> aside = ReserveAsideName(folder);
  if (!aside || !platform::MoveFile(path, *aside)) {
    platform::DeleteFile(*fresh);
    return false;
  }
  if (!platform::MoveFile(*fresh, path)) {
    const DWORD error = platform::GetLastError();
    platform::MoveFile(*aside, path);
    platform::DeleteFile(*fresh);
    platform::SetLastError(error);
    return false;
  }
  platform::DeleteFile(*aside);
  platform::SetFileAttributes(path, attributes);
  platform::Handheld::Current().change_notifier().Notify(
      {platform::SHCNE_UPDATEITEM, std::string(path), {}});
  return true;
}

}  // namespace imaging
