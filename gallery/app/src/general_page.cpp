// General: external display, voice notes, histogram, and the file types.
#include "gallery/file_types/file_types.h"
#include "gallery/resources/dialog_ids.h"
#include "gallery_state.h"
#include "help.h"
#include "option_pages.h"
#include "platform/controls.h"
#include "platform/property_sheet.h"

namespace gallery {

using namespace platform;

namespace {

std::string ProgramPath() {
  std::string path;
  GetModuleFileName(Gallery().instance, &path);
  return path;
}

}  // namespace

INT_PTR GeneralPageProcedure(HWND page, UINT message, WPARAM wparam, LPARAM lparam) {
  GeneralOptions& general = Gallery().options.general;
  switch (message) {
    case WM_INITDIALOG:
      pages::SetCheck(page, kCheckExternalDisplay, general.external_display);
      pages::SetCheck(page, kCheckAutoPlayVoiceNote, general.auto_play_voice_note);
      pages::SetCheck(page, kCheckShowHistogram, general.show_histogram);
      return TRUE;
    case WM_COMMAND:
      if (HIWORD(wparam) != BN_CLICKED) return FALSE;
      if (LOWORD(wparam) == kButtonRegisterTypes) RegisterFileTypes(ProgramPath());
      if (LOWORD(wparam) == kButtonRestoreTypes) RestoreFileTypes();
      return TRUE;
    case WM_NOTIFY:
      if (pages::NotifyCode(lparam) != PSN_APPLY) return FALSE;
      general.external_display = pages::Checked(page, kCheckExternalDisplay);
      general.auto_play_voice_note = pages::Checked(page, kCheckAutoPlayVoiceNote);
      general.show_histogram = pages::Checked(page, kCheckShowHistogram);
      return pages::Accept(page);
    case WM_HELP:
      ShowHelp(kHelpGeneral);
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace gallery
