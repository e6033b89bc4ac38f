#include "gallery/file_types/voice_note.h"

#include "platform/files.h"

namespace gallery {

std::string VoiceNotePath(std::string_view picture) {
  if (picture.size() <= 3 || picture[picture.size() - 4] != '.') return {};
  std::string note(picture.substr(0, picture.size() - 3));
  return note + "WAV";
}

bool HasVoiceNote(std::string_view picture) {
  const std::string note = VoiceNotePath(picture);
  if (note.empty()) return false;
  const platform::DWORD attributes = platform::GetFileAttributes(note);
  return attributes != platform::INVALID_FILE_ATTRIBUTES &&
         (attributes & platform::FILE_ATTRIBUTE_DIRECTORY) == 0;
}

}  // namespace gallery
