// The handheld's file system: files, folders, attributes, times, find with
// patterns and free space, with the platform's semantics and last-error
// numbers. Paths are handheld paths (see paths.h). "\Windows\" holds the
// built-in programs and modules and behaves as ROM; "\Storage Card" is the
// removable card while one is inserted. Every change is reported to the
// handheld's ChangeNotifier.
//
// Deliverables call the free functions at the end, which act on the current
// handheld; the emulator and tests may also use a FileSystem directly.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/handheld.h"
#include "platform/last_error.h"
#include "platform/paths.h"
#include "platform/types.h"

namespace platform {

// Access rights.
inline constexpr DWORD GENERIC_READ = 0x80000000u;
inline constexpr DWORD GENERIC_WRITE = 0x40000000u;
// Share modes.
inline constexpr DWORD FILE_SHARE_READ = 0x1;
inline constexpr DWORD FILE_SHARE_WRITE = 0x2;
// Creation dispositions.
inline constexpr DWORD CREATE_NEW = 1;
inline constexpr DWORD CREATE_ALWAYS = 2;
inline constexpr DWORD OPEN_EXISTING = 3;
inline constexpr DWORD OPEN_ALWAYS = 4;
inline constexpr DWORD TRUNCATE_EXISTING = 5;
// Attributes.
inline constexpr DWORD FILE_ATTRIBUTE_READONLY = 0x1;
inline constexpr DWORD FILE_ATTRIBUTE_HIDDEN = 0x2;
inline constexpr DWORD FILE_ATTRIBUTE_SYSTEM = 0x4;
inline constexpr DWORD FILE_ATTRIBUTE_DIRECTORY = 0x10;
inline constexpr DWORD FILE_ATTRIBUTE_ARCHIVE = 0x20;
inline constexpr DWORD FILE_ATTRIBUTE_INROM = 0x40;
inline constexpr DWORD FILE_ATTRIBUTE_NORMAL = 0x80;
// Marks the folder of a mounted storage card.
inline constexpr DWORD FILE_ATTRIBUTE_TEMPORARY = 0x100;
inline constexpr DWORD INVALID_FILE_ATTRIBUTES = 0xFFFFFFFFu;
// Flags (accepted and ignored: every write reaches the host at once).
inline constexpr DWORD FILE_FLAG_WRITE_THROUGH = 0x80000000u;
inline constexpr DWORD FILE_FLAG_RANDOM_ACCESS = 0x10000000u;
inline constexpr DWORD FILE_FLAG_SEQUENTIAL_SCAN = 0x08000000u;
// File pointer moves.
inline constexpr DWORD FILE_BEGIN = 0;
inline constexpr DWORD FILE_CURRENT = 1;
inline constexpr DWORD FILE_END = 2;
inline constexpr DWORD INVALID_SET_FILE_POINTER = 0xFFFFFFFFu;
inline constexpr DWORD INVALID_FILE_SIZE = 0xFFFFFFFFu;
// RemoveDirectory on something that is not a folder.
inline constexpr DWORD ERROR_DIRECTORY = 267;

// The handheld path of the storage card's folder.
inline constexpr std::string_view kStorageCardPath = "\\Storage Card";

struct WIN32_FIND_DATA {
  DWORD dwFileAttributes = 0;
  FILETIME ftCreationTime;
  FILETIME ftLastAccessTime;
  FILETIME ftLastWriteTime;
  DWORD nFileSizeHigh = 0;
  DWORD nFileSizeLow = 0;
  DWORD dwOID = 0;
  std::string cFileName;  // the name only, as stored
};

namespace files_internal {
struct FileSystemCore;
struct OpenFile;
struct HandleAccess;
}  // namespace files_internal

// An open file. Closing it (Close, CloseFile or destruction) raises the
// item-updated notification when the file was changed through it. Empty
// (false) when CreateFile failed. A handle whose file system is gone or
// whose storage card was removed fails every call with ERROR_INVALID_HANDLE.
class FileHandle {
 public:
  FileHandle();
  FileHandle(FileHandle&& other) noexcept;
  FileHandle& operator=(FileHandle&& other) noexcept;
  ~FileHandle();
  explicit operator bool() const { return file_ != nullptr; }
  void Close();

 private:
  friend struct files_internal::HandleAccess;
  explicit FileHandle(std::unique_ptr<files_internal::OpenFile> file);
  std::unique_ptr<files_internal::OpenFile> file_;
};

// A find in progress: the entries that matched when it began.
class FindHandle {
 public:
  FindHandle() = default;
  explicit operator bool() const { return open_; }

 private:
  friend class FileSystem;
  std::vector<WIN32_FIND_DATA> entries_;
  std::size_t next_ = 0;
  bool open_ = false;
};

// While one exists on a thread, that thread's file calls may change the ROM
// folder "\Windows\": the emulator installs and removes programs this way.
class InstallerAccess {
 public:
  InstallerAccess();
  ~InstallerAccess();
  InstallerAccess(const InstallerAccess&) = delete;
  InstallerAccess& operator=(const InstallerAccess&) = delete;
  static bool Active();
};

class FileSystem {
 public:
  // The main store is <root>/files; the storage card, while inserted,
  // <root>/storage-card. Creation times and attributes are kept beside them.
  FileSystem(const HandheldConfig& config, ChangeNotifier& notifier);
  ~FileSystem();
  FileSystem(const FileSystem&) = delete;
  FileSystem& operator=(const FileSystem&) = delete;

  // Files. CreateFile sets the last error to 0, or to ERROR_ALREADY_EXISTS
  // when CREATE_ALWAYS or OPEN_ALWAYS found the file.
  FileHandle CreateFile(std::string_view path, DWORD desired_access, DWORD share_mode,
                        DWORD creation_disposition,
                        DWORD flags_and_attributes = FILE_ATTRIBUTE_NORMAL);
  BOOL ReadFile(const FileHandle& file, void* buffer, DWORD bytes_to_read, DWORD* bytes_read);
  // At the volume's size the write stores what fits, reports that count and
  // fails with ERROR_DISK_FULL; earlier contents stay.
  BOOL WriteFile(const FileHandle& file, const void* buffer, DWORD bytes_to_write,
                 DWORD* bytes_written);
  DWORD SetFilePointer(const FileHandle& file, LONG distance, LONG* distance_high,
                       DWORD move_method);
  DWORD GetFileSize(const FileHandle& file, DWORD* size_high);
  BOOL SetEndOfFile(const FileHandle& file);
  BOOL FlushFileBuffers(const FileHandle& file);
  BOOL GetFileTime(const FileHandle& file, FILETIME* creation, FILETIME* last_access,
                   FILETIME* last_write);
  BOOL SetFileTime(const FileHandle& file, const FILETIME* creation, const FILETIME* last_access,
                   const FILETIME* last_write);
  BOOL CloseFile(FileHandle& file);

  // Names.
  BOOL DeleteFile(std::string_view path);
  // Moves or renames a file or folder. Files may move to the other volume;
  // folders may not (ERROR_NOT_SAME_DEVICE).
  BOOL MoveFile(std::string_view existing_path, std::string_view new_path);
  BOOL CopyFile(std::string_view existing_path, std::string_view new_path, BOOL fail_if_exists);
  BOOL CreateDirectory(std::string_view path);
  BOOL RemoveDirectory(std::string_view path);
  DWORD GetFileAttributes(std::string_view path);
  // Read-only, hidden, system and archive can be set; FILE_ATTRIBUTE_NORMAL
  // clears them.
  BOOL SetFileAttributes(std::string_view path, DWORD attributes);

  // Find: the folder part names an existing folder, the last name may hold
  // wildcards ("\My Documents\*.*", "\My Documents\snap????.jpg"). Entries
  // come in name order. A pattern with wildcards that matches nothing fails
  // with ERROR_NO_MORE_FILES, a plain name that is not there with
  // ERROR_FILE_NOT_FOUND.
  FindHandle FindFirstFile(std::string_view pattern, WIN32_FIND_DATA* data);
  BOOL FindNextFile(FindHandle& find, WIN32_FIND_DATA* data);
  BOOL FindClose(FindHandle& find);

  // Free space of the volume holding `path` (empty: the main store). Any
  // result pointer may be null.
  BOOL GetDiskFreeSpaceEx(std::string_view path, std::uint64_t* free_bytes_to_caller,
                          std::uint64_t* total_bytes, std::uint64_t* total_free_bytes);

  // Emulator and test controls.
  // Mounts <root>/storage-card (created when missing) as "\Storage Card"
  // with an optional simulated size. False when a card is already in.
  bool InsertStorageCard(std::optional<std::uint64_t> size_bytes = std::nullopt);
  // Unmounts the card; its open files become invalid handles.
  bool RemoveStorageCard();
  bool StorageCardInserted() const;
  // Changes the simulated size of the volume holding `path` (0: only the
  // host's free space); setting it to the used size simulates a full disk.
  // Each insertion of the card sets the card's size afresh.
  bool SetVolumeSize(std::string_view path, std::uint64_t size_bytes);
  // Bytes the files of the volume holding `path` take.
  std::optional<std::uint64_t> VolumeUsedBytes(std::string_view path);
  // The host path of an existing file or folder, or of where a new one
  // would be created.
  std::optional<std::filesystem::path> HostPath(std::string_view path) const;
  // Writes a file with installer access, creating its folders.
  bool InstallFile(std::string_view path, std::span<const std::byte> contents);
  // The clock that stamps changes; by default the current handheld's system
  // time, or the host's when there is no handheld.
  void SetClock(std::function<FILETIME()> clock);
  // Writes the creation times and attributes out (also done on destruction).
  void Flush();

 private:
  std::shared_ptr<files_internal::FileSystemCore> core_;
};

// The platform calls, acting on Handheld::Current().files().
FileHandle CreateFile(std::string_view path, DWORD desired_access, DWORD share_mode,
                      DWORD creation_disposition,
                      DWORD flags_and_attributes = FILE_ATTRIBUTE_NORMAL);
BOOL ReadFile(const FileHandle& file, void* buffer, DWORD bytes_to_read, DWORD* bytes_read);
BOOL WriteFile(const FileHandle& file, const void* buffer, DWORD bytes_to_write,
               DWORD* bytes_written);
DWORD SetFilePointer(const FileHandle& file, LONG distance, LONG* distance_high, DWORD move_method);
DWORD GetFileSize(const FileHandle& file, DWORD* size_high);
BOOL SetEndOfFile(const FileHandle& file);
BOOL FlushFileBuffers(const FileHandle& file);
BOOL GetFileTime(const FileHandle& file, FILETIME* creation, FILETIME* last_access,
                 FILETIME* last_write);
BOOL SetFileTime(const FileHandle& file, const FILETIME* creation, const FILETIME* last_access,
                 const FILETIME* last_write);
BOOL CloseFile(FileHandle& file);
BOOL DeleteFile(std::string_view path);
BOOL MoveFile(std::string_view existing_path, std::string_view new_path);
BOOL CopyFile(std::string_view existing_path, std::string_view new_path, BOOL fail_if_exists);
BOOL CreateDirectory(std::string_view path);
BOOL RemoveDirectory(std::string_view path);
DWORD GetFileAttributes(std::string_view path);
BOOL SetFileAttributes(std::string_view path, DWORD attributes);
FindHandle FindFirstFile(std::string_view pattern, WIN32_FIND_DATA* data);
BOOL FindNextFile(FindHandle& find, WIN32_FIND_DATA* data);
BOOL FindClose(FindHandle& find);
BOOL GetDiskFreeSpaceEx(std::string_view path, std::uint64_t* free_bytes_to_caller,
                        std::uint64_t* total_bytes, std::uint64_t* total_free_bytes);

}  // namespace platform
