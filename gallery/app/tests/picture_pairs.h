// The (picture, note) pairs a folder holds, to check that an operation
// lost nothing: each picture's contents with its note's ("" when it has
// none); a note without a picture shows under its own name.
#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "gallery/file_types/voice_note.h"
#include "platform/files.h"

namespace gallery::testing {

using Pairs = std::map<std::string, std::pair<std::string, std::string>>;

inline std::string ReadWhole(const std::string& path) {
  auto file = platform::CreateFile(path, platform::GENERIC_READ, platform::FILE_SHARE_READ,
                                   platform::OPEN_EXISTING);
  if (!file) return {};
  std::string contents(platform::GetFileSize(file, nullptr), '\0');
  platform::DWORD read = 0;
  platform::ReadFile(file, contents.data(), static_cast<platform::DWORD>(contents.size()), &read);
  return contents;
}

inline bool IsNote(const std::string& path) {
  return path.size() > 4 && path.substr(path.size() - 4) == ".WAV";
}

// Whether a picture of any listed kind stands beside the note.
inline bool PictureBesideNote(const std::string& folder, const std::string& note_name) {
  const std::string stem = note_name.substr(0, note_name.size() - 3);
  for (const char* extension : {"jpg", "bmp", "2bp", "png", "gif"}) {
    if (platform::GetFileAttributes(folder + stem + extension) != platform::INVALID_FILE_ATTRIBUTES)
      return true;
  }
  return false;
}

inline Pairs PairsIn(const std::string& folder) {
  Pairs pairs;
  platform::WIN32_FIND_DATA data;
  platform::FindHandle find = platform::FindFirstFile(folder + "*.*", &data);
  for (bool more = static_cast<bool>(find); more; more = platform::FindNextFile(find, &data)) {
    const std::string path = folder + data.cFileName;
    if (data.dwFileAttributes & platform::FILE_ATTRIBUTE_DIRECTORY) continue;
    if (IsNote(path)) {
      if (!PictureBesideNote(folder, data.cFileName)) pairs[data.cFileName] = {"", ReadWhole(path)};
      continue;
    }
    pairs[data.cFileName] = {ReadWhole(path),
                             HasVoiceNote(path) ? ReadWhole(VoiceNotePath(path)) : ""};
  }
  platform::FindClose(find);
  return pairs;
}

// The pairs of `names` taken out of `from` into the result.
inline Pairs Take(Pairs& from, const std::vector<std::string>& names) {
  Pairs taken;
  for (const std::string& name : names) {
    taken[name] = from.at(name);
    from.erase(name);
  }
  return taken;
}

}  // namespace gallery::testing
