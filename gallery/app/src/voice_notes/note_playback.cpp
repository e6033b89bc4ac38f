// A new current picture: its note plays when the options ask for it (any
// other sound stops), and the recorder follows to the picture's note.
#include "gallery/file_types/voice_note.h"
#include "gallery_state.h"
#include "part_commands.h"
#include "platform/sound.h"
#include "recorder_window.h"

namespace gallery {

using namespace platform;

void AutoPlayVoiceNote(HWND, const std::string& picture) {
  const std::string note = picture.empty() ? std::string() : VoiceNotePath(picture);
  if (Gallery().options.general.auto_play_voice_note) {
    if (HasVoiceNote(picture)) {
      PlaySound(note, nullptr, SND_ASYNC | SND_NODEFAULT | SND_FILENAME);
    } else {
      PlaySound("", nullptr, 0);
    }
  }
  SetRecorderPath(note);
}

}  // namespace gallery
