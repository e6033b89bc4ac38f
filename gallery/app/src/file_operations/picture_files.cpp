#include "picture_files.h"

#include "gallery/file_types/voice_note.h"
#include "platform/files.h"
#include "platform/paths.h"

namespace gallery {

namespace {

using namespace platform;

PictureFileResult Done() { return {true, 0, false}; }
PictureFileResult Failed(DWORD error, bool split = false) { return {false, error, split}; }

// The note of `picture` when it has one; empty otherwise (and for a path
// that names a note itself).
std::string ExistingNote(const std::string& picture) {
  const std::string note = VoiceNotePath(picture);
  if (note.empty() || EqualsIgnoreCase(note, picture) || !HasVoiceNote(picture)) return {};
  return note;
}

}  // namespace

std::string PathInFolder(const std::string& folder, const std::string& path) {
  const std::size_t cut = path.rfind('\\');
  return folder + (cut == std::string::npos ? path : path.substr(cut + 1));
}

PictureFileResult DeletePictureFiles(const std::string& picture) {
  const std::string note = ExistingNote(picture);
  if (!DeleteFile(picture)) return Failed(GetLastError());
  if (!note.empty() && !DeleteFile(note)) return Failed(GetLastError(), true);
  return Done();
}

PictureFileResult MovePictureFiles(const std::string& picture, const std::string& new_path) {
  const std::string note = ExistingNote(picture);
  if (!MoveFile(picture, new_path)) return Failed(GetLastError());
  if (note.empty() || MoveFile(note, VoiceNotePath(new_path))) return Done();
  const DWORD error = GetLastError();
  // Put the picture back beside its note.
  return Failed(error, !MoveFile(new_path, picture));
}

PictureFileResult CopyPictureFiles(const std::string& picture, const std::string& new_path) {
  const std::string note = ExistingNote(picture);
  if (!CopyFile(picture, new_path, TRUE)) return Failed(GetLastError());
  if (note.empty() || CopyFile(note, VoiceNotePath(new_path), TRUE)) return Done();
  const DWORD error = GetLastError();
  // A copy without its note is not what was asked for: take it away again.
  return Failed(error, !DeleteFile(new_path));
}

}  // namespace gallery
