#include "rename_sheet.h"

#include "command_line.h"
#include "gallery/resources/dialog_ids.h"
#include "gallery/resources/string_ids.h"
#include "gallery_state.h"
#include "help.h"
#include "operation_texts.h"
#include "picture_files.h"
#include "platform/common_controls/notify.h"
#include "platform/dialogs.h"
#include "platform/files.h"
#include "platform/property_sheet.h"
#include "platform/shell_dialog.h"
#include "rename_rules.h"
#include "resource_texts.h"
#include "sheet_help.h"

namespace gallery {

namespace {

using namespace platform;

// The file being renamed; the sheet is modal, so one at a time.
std::string renamed_path;

// True when the sheet may close.
bool Apply(HWND page) {
  const RenamePlan plan = PlanRename(renamed_path, GetDlgItemText(page, kEditRenameName));
  switch (plan.verdict) {
    case RenameVerdict::kInvalidName:
      ErrorBox(page, ResourceText(kStringInvalidName));
      return false;
    case RenameVerdict::kUnchanged:
      return true;
    case RenameVerdict::kRename:
      break;
  }
  const PictureFileResult result = MovePictureFiles(renamed_path, plan.new_path);
  if (result.pair_split) ErrorBox(page, NameText(kStringNoteApart, FileNameOf(plan.new_path)));
  if (result.ok) return true;
  if (result.pair_split) return true;  // the picture has its new name already
  const UINT text = RenameErrorText(result.error);
  ErrorBox(page, text == kStringOtherError ? CountText(text, static_cast<int>(result.error))
                                           : ResourceText(text));
  return false;
}

INT_PTR RenamePageProcedure(HWND page, UINT message, WPARAM, LPARAM lparam) {
  switch (message) {
    case WM_INITDIALOG:
      SetDlgItemText(page, kEditRenameName, SplitForRename(renamed_path).shown);
      return TRUE;
    case WM_NOTIFY:
      if (reinterpret_cast<const NMHDR*>(lparam)->code != PSN_APPLY) return FALSE;
      SetWindowLong(page, DWL_MSGRESULT,
                    Apply(page) ? PSNRET_NOERROR : PSNRET_INVALID_NOCHANGEPAGE);
      return TRUE;
    case WM_HELP:
      ShowHelp(kHelpOverview);
      return TRUE;
    default:
      return FALSE;
  }
}

int SheetCallback(HWND sheet, UINT message, LPARAM) {
  if (message != PSCB_INITIALIZED) return 0;
  SHINITDLGINFO info;
  info.hDlg = sheet;
  info.dwFlags = SHIDIF_DONEBUTTON | SHIDIF_SIZEDLGFULLSCREEN | SHIDIF_EMPTYMENU;
  SHInitDialog(&info);
  PassHelpToPages(sheet);
  return 0;
}

}  // namespace

void RunRenameSheet(HWND browser, const std::string& path) {
  const DWORD attributes = GetFileAttributes(path);
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_INROM)) return;
  renamed_path = path;
  const GalleryState& gallery = Gallery();
  PROPSHEETPAGE page;
  page.hInstance = gallery.resources;
  page.pszTemplate = kDialogRenamePage;
  page.pfnDlgProc = RenamePageProcedure;
  PROPSHEETHEADER header;
  header.dwFlags = PSH_PROPSHEETPAGE | PSH_MAXIMIZE | PSH_USECALLBACK;
  header.hwndParent = browser;
  header.hInstance = gallery.resources;
  header.pszCaption = ResourceText(kStringRenameTitle);
  header.nPages = 1;
  header.ppsp = &page;
  header.pfnCallback = SheetCallback;
  PropertySheet(&header);
  renamed_path.clear();
}

}  // namespace gallery
