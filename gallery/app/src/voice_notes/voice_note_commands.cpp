// The browser's voice-note button opens and closes the recorder.
#include "gallery/file_types/voice_note.h"
#include "gallery/resources/commands.h"
#include "gallery_state.h"
#include "part_commands.h"
#include "platform/common_controls/toolbar.h"
#include "platform/files.h"
#include "recorder_window.h"

namespace gallery {

namespace {

using namespace platform;

// The note path of the current file; empty when there is no file.
std::string CurrentNotePath() {
  const std::string& current = Gallery().current;
  const DWORD attributes = current.empty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributes(current);
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) return {};
  return VoiceNotePath(current);
}

}  // namespace

void VoiceNoteCommand(HWND browser, UINT command) {
  RecordRoute(GalleryPart::kVoiceNotes, command);
  if (command != kButtonVoiceNote) return;
  const HWND bar = Gallery().menu_bar;
  if (bar && SendMessage(bar, TB_ISBUTTONCHECKED, kButtonVoiceNote, 0)) {
    OpenRecorder(browser, CurrentNotePath());
  } else {
    CloseRecorder();
  }
}

}  // namespace gallery
