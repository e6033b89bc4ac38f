#include "file_page.h"

#include "camera/settings/camera_settings.h"
#include "camera/settings/settings_store.h"
#include "camera/settings/settings_writers.h"
#include "camera/strings/string_library.h"
#include "dialog_ids.h"
#include "dialog_support.h"
#include "platform/controls.h"
#include "platform/input.h"
#include "platform/message_box.h"
#include "platform/shell_state.h"
#include "string_ids.h"

namespace camera {

using namespace platform;

namespace {

namespace ids = dialog_ids;

constexpr char kShownForEmptyPrefix[] = "snap";
constexpr std::string_view kForbidden = "\\/:*?\"<>|";
// Posted to the page to give an edit the focus back once it has lost it.
constexpr UINT kRefocus = WM_APP + 1;

bool IsEmpty(HWND dialog, int id) { return GetDlgItemText(dialog, id).empty(); }

}  // namespace

UINT CFileDlg::TemplateId() const { return ids::kFilePage; }

void CFileDlg::OnInit() {
  SetItemString(page(), ids::kFileHeader, kMenuString);
  SetItemString(page(), ids::kPrefixLabel, kPrefixString);
  SetItemString(page(), ids::kCounterLabel, kCounterString);
  SetItemString(page(), ids::kFolderLabel, kSaveInString);
  std::string prefix = ReadSetting(setting::kFilenamePrefix);
  if (prefix.empty()) prefix = kShownForEmptyPrefix;
  previous_prefix_ = prefix;
  previous_counter_ = std::to_string(ReadSetting(setting::kJpgNo));
  restoring_ = true;
  SendDlgItemMessage(page(), ids::kPrefixEdit, EM_LIMITTEXT, kMaxPrefixLength, 0);
  SetDlgItemText(page(), ids::kPrefixEdit, previous_prefix_);
  SetDlgItemText(page(), ids::kCounterEdit, previous_counter_);
  SetDlgItemText(page(), ids::kFolderEdit, ReadSetting(setting::kDefaultFolder));
  restoring_ = false;
  // Enter and the arrow keys would leave the edits for the sheet's buttons
  // and tabs: the page keeps them.
  SetDialogPreTranslateHook(page(), [](MSG& msg) {
    if (msg.message != WM_KEYDOWN) return false;
    switch (msg.wParam) {
      case VK_RETURN:
      case VK_LEFT:
      case VK_UP:
      case VK_RIGHT:
      case VK_DOWN:
        return true;
      default:
        return false;
    }
  });
}

void CFileDlg::OnShown() { SHSipPreference(page(), SIP_UP); }

bool CFileDlg::OnLeaving() { return !RefuseEmpty(); }

bool CFileDlg::OnConfirm() {
  if (RefuseEmpty()) return false;
  BOOL translated = FALSE;
  const UINT counter = GetDlgItemInt(page(), ids::kCounterEdit, &translated, FALSE);
  StoreFilePage(GetDlgItemText(page(), ids::kPrefixEdit),
                translated ? static_cast<int>(counter) : 0,
                GetDlgItemText(page(), ids::kFolderEdit));
  return true;
}

INT_PTR CFileDlg::Handle(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_CTLCOLORSTATIC:
      return HeaderColour(page(), wparam, lparam, ids::kFileHeader);
    case kRefocus:
      SetFocus(Item(static_cast<int>(wparam)));
      return TRUE;
    case WM_COMMAND: {
      const int id = LOWORD(wparam);
      const WORD code = HIWORD(wparam);
      if (id == ids::kBrowseButton && code == BN_CLICKED) {
        ChooseFolder();
        return TRUE;
      }
      if (restoring_) return FALSE;
      if (code == EN_CHANGE && id == ids::kCounterEdit) OnCounterChanged();
      if (code == EN_CHANGE && id == ids::kPrefixEdit) OnPrefixChanged();
      if (code == EN_KILLFOCUS && (id == ids::kCounterEdit || id == ids::kPrefixEdit)) {
        OnEditLeft(id);
      }
      return FALSE;
    }
    default:
      return FALSE;
  }
}

void CFileDlg::OnCounterChanged() {
  const std::string text = GetDlgItemText(page(), ids::kCounterEdit);
  if (text.empty()) return;
  BOOL translated = FALSE;
  const UINT value = GetDlgItemInt(page(), ids::kCounterEdit, &translated, FALSE);
  if (!translated || value >= static_cast<UINT>(kCounterLimit)) {
    Restore(ids::kCounterEdit, previous_counter_);
    return;
  }
  previous_counter_ = text;
}

void CFileDlg::OnPrefixChanged() {
  const std::string text = GetDlgItemText(page(), ids::kPrefixEdit);
  if (text.empty()) return;
  if (text.find_first_of(kForbidden) != std::string::npos) {
    Restore(ids::kPrefixEdit, previous_prefix_);
    return;
  }
  previous_prefix_ = text;
}

void CFileDlg::Restore(int id, const std::string& text) {
  restoring_ = true;
  SetDlgItemText(page(), id, text);
  restoring_ = false;
  SendDlgItemMessage(page(), id, EM_SETSEL, static_cast<WPARAM>(-1), static_cast<LPARAM>(-1));
  const auto end = static_cast<WPARAM>(text.size());
  SendDlgItemMessage(page(), id, EM_SETSEL, end, static_cast<LPARAM>(end));
  MessageBeep(kSimpleBeep);
}

void CFileDlg::OnEditLeft(int id) {
  if (!IsEmpty(page(), id)) return;
  MessageBeep(kSimpleBeep);
  PostMessage(page(), kRefocus, static_cast<WPARAM>(id), 0);
}

bool CFileDlg::RefuseEmpty() {
  for (int id : {ids::kPrefixEdit, ids::kCounterEdit}) {
    if (IsEmpty(page(), id)) {
      SetFocus(Item(id));
      MessageBeep(kSimpleBeep);
      return true;
    }
  }
  return false;
}

void CFileDlg::ChooseFolder() {
  const std::string prefix = GetDlgItemText(page(), ids::kPrefixEdit);
  const std::optional<std::string> chosen =
      RunFolderChooser(page(), Settings().folder_in_use, prefix, context_);
  // The chosen folder takes the pictures at once; it is stored with the
  // page.
  if (chosen) Settings().folder_in_use = *chosen;
  SetDlgItemText(page(), ids::kFolderEdit, Settings().folder_in_use);
}

}  // namespace camera
