#include "video_page.h"

#include "camera/session/camera_state.h"
#include "camera/settings/camera_settings.h"
#include "camera/settings/settings_store.h"
#include "camera/settings/settings_writers.h"
#include "dialog_ids.h"
#include "dialog_support.h"
#include "platform/controls.h"
#include "string_ids.h"

namespace camera {

using namespace platform;

namespace {

namespace ids = dialog_ids;

}  // namespace

UINT CVideoDlg::TemplateId() const { return ids::kVideoPage; }

void CVideoDlg::OnInit() {
  SetItemString(page(), ids::kVideoHeader, kMenuString);
  SetItemString(page(), ids::kResolutionGroup, kResolutionString);
  SetItemString(page(), ids::kAudioGroup, kAudioString);
  SetItemString(page(), ids::kAudioOff, kOffString);
  SetItemString(page(), ids::kAudioOn, kOnString);
  CheckRadioButton(page(), ids::kLarge, ids::kSmall,
                   ReadSetting(setting::kAviResolution) == 0 ? ids::kLarge : ids::kSmall);
  CheckRadioButton(page(), ids::kAudioOff, ids::kAudioOn,
                   ReadSetting(setting::kRecordWithAudio) == 0 ? ids::kAudioOff : ids::kAudioOn);
}

bool CVideoDlg::OnConfirm() {
  const int aviresolution = IsDlgButtonChecked(page(), ids::kLarge) == BST_CHECKED ? 0 : 1;
  const int recordwithaudio = IsDlgButtonChecked(page(), ids::kAudioOn) == BST_CHECKED ? 1 : 0;
  // The preview restarts at the new size after the sheet.
  if (aviresolution != Settings().aviresolution) Camera().size_changed = 1;
  StoreVideoPage(aviresolution, recordwithaudio);
  return true;
}

INT_PTR CVideoDlg::Handle(UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_CTLCOLORSTATIC) return HeaderColour(page(), wparam, lparam, ids::kVideoHeader);
  return FALSE;
}

}  // namespace camera
