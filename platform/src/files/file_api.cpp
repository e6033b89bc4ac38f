// The platform's file calls, acting on the current handheld's file system.
#include "platform/files.h"

namespace platform {
namespace {

FileSystem& Files() { return Handheld::Current().files(); }

}  // namespace

FileHandle CreateFile(std::string_view path, DWORD desired_access, DWORD share_mode,
                      DWORD creation_disposition, DWORD flags_and_attributes) {
  return Files().CreateFile(path, desired_access, share_mode, creation_disposition,
                            flags_and_attributes);
}

BOOL ReadFile(const FileHandle& file, void* buffer, DWORD bytes_to_read, DWORD* bytes_read) {
  return Files().ReadFile(file, buffer, bytes_to_read, bytes_read);
}

BOOL WriteFile(const FileHandle& file, const void* buffer, DWORD bytes_to_write,
               DWORD* bytes_written) {
  return Files().WriteFile(file, buffer, bytes_to_write, bytes_written);
}

DWORD SetFilePointer(const FileHandle& file, LONG distance, LONG* distance_high,
                     DWORD move_method) {
  return Files().SetFilePointer(file, distance, distance_high, move_method);
}

DWORD GetFileSize(const FileHandle& file, DWORD* size_high) {
  return Files().GetFileSize(file, size_high);
}

BOOL SetEndOfFile(const FileHandle& file) { return Files().SetEndOfFile(file); }

BOOL FlushFileBuffers(const FileHandle& file) { return Files().FlushFileBuffers(file); }

BOOL GetFileTime(const FileHandle& file, FILETIME* creation, FILETIME* last_access,
                 FILETIME* last_write) {
  return Files().GetFileTime(file, creation, last_access, last_write);
}

BOOL SetFileTime(const FileHandle& file, const FILETIME* creation, const FILETIME* last_access,
                 const FILETIME* last_write) {
  return Files().SetFileTime(file, creation, last_access, last_write);
}

BOOL CloseFile(FileHandle& file) { return Files().CloseFile(file); }

BOOL DeleteFile(std::string_view path) { return Files().DeleteFile(path); }

BOOL MoveFile(std::string_view existing_path, std::string_view new_path) {
  return Files().MoveFile(existing_path, new_path);
}

BOOL CopyFile(std::string_view existing_path, std::string_view new_path, BOOL fail_if_exists) {
  return Files().CopyFile(existing_path, new_path, fail_if_exists);
}

BOOL CreateDirectory(std::string_view path) { return Files().CreateDirectory(path); }

BOOL RemoveDirectory(std::string_view path) { return Files().RemoveDirectory(path); }

DWORD GetFileAttributes(std::string_view path) { return Files().GetFileAttributes(path); }

BOOL SetFileAttributes(std::string_view path, DWORD attributes) {
  return Files().SetFileAttributes(path, attributes);
}

FindHandle FindFirstFile(std::string_view pattern, WIN32_FIND_DATA* data) {
  return Files().FindFirstFile(pattern, data);
}

BOOL FindNextFile(FindHandle& find, WIN32_FIND_DATA* data) {
  return Files().FindNextFile(find, data);
}

BOOL FindClose(FindHandle& find) { return Files().FindClose(find); }

BOOL GetDiskFreeSpaceEx(std::string_view path, std::uint64_t* free_bytes_to_caller,
                        std::uint64_t* total_bytes, std::uint64_t* total_free_bytes) {
  return Files().GetDiskFreeSpaceEx(path, free_bytes_to_caller, total_bytes, total_free_bytes);
}

}  // namespace platform
