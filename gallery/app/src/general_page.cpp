// General: external display, voice notes, histogram, and the file types.
#include "gallery/file_types/file_types.h"
#include "gallery/resources/dialog_ids.h"
#include "gallery_state.h"
#include "help.h"
#include "option_pages.h"
#include "platform/controls.h"

namespace gallery {

using namespace platform;

namespace {

std::string ProgramPath() {
  std::string path;
  GetModuleFileName(Gallery().instance, &path);
  return path;
}

void Load(HWND page) {
  const GeneralOptions& general = Gallery().options.general;
  pages::SetCheck(page, kCheckExternalDisplay, general.external_display);
  pages::SetCheck(page, kCheckAutoPlayVoiceNote, general.auto_play_voice_note);
  pages::SetCheck(page, kCheckShowHistogram, general.show_histogram);
}

bool Command(HWND, WORD id, WORD code) {
  if (code != BN_CLICKED) return false;
  if (id == kButtonRegisterTypes) RegisterFileTypes(ProgramPath());
  if (id == kButtonRestoreTypes) RestoreFileTypes();
  return id == kButtonRegisterTypes || id == kButtonRestoreTypes;
}

void Store(HWND page) {
  GeneralOptions& general = Gallery().options.general;
  general.external_display = pages::Checked(page, kCheckExternalDisplay);
  general.auto_play_voice_note = pages::Checked(page, kCheckAutoPlayVoiceNote);
  general.show_histogram = pages::Checked(page, kCheckShowHistogram);
}

constexpr pages::PageBehaviour kGeneralPage{Load, Command, Store, kHelpGeneral};

}  // namespace

INT_PTR GeneralPageProcedure(HWND page, UINT message, WPARAM wparam, LPARAM lparam) {
  return pages::RunPage(kGeneralPage, page, message, wparam, lparam);
}

}  // namespace gallery
