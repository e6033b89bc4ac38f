// Voice notes until they come: the commands are only recorded and no note
// is played.
#include "gallery_state.h"
#include "part_commands.h"

namespace gallery {

void VoiceNoteCommand(platform::HWND, platform::UINT command) {
  RecordRoute(GalleryPart::kVoiceNotes, command);
}

void AutoPlayVoiceNote(platform::HWND, const std::string&) {}

}  // namespace gallery
