// CSettingSheet: the four pages under one sheet with an empty caption, the
// pages' captions from the application's own string table.
#include <array>
#include <memory>

#include "camera/settings_dialogs/settings_dialogs.h"
#include "camera/strings/page_captions.h"
#include "camera/strings/string_library.h"
#include "dialog_support.h"
#include "entry_page.h"
#include "file_page.h"
#include "platform/common_controls.h"
#include "video_page.h"

namespace camera {

using namespace platform;

namespace {

class CSettingSheet {
 public:
  explicit CSettingSheet(const DialogContext& context)
      : context_(context), settings_(context), setup_(context), file_(context), video_(context) {}

  bool DoModal(HWND owner) {
    const std::array<std::pair<SheetPage*, SettingsPage>, 4> pages = {{
        {&settings_, SettingsPage::kSettings},
        {&setup_, SettingsPage::kSetup},
        {&file_, SettingsPage::kFile},
        {&video_, SettingsPage::kVideo},
    }};
    std::array<PROPSHEETPAGE, 4> records;
    for (std::size_t i = 0; i < pages.size(); ++i) {
      SheetPage* page = pages[i].first;
      records[i].dwFlags = PSP_USETITLE;
      records[i].hInstance = context_.instance;
      records[i].pszTemplate = page->TemplateId();
      records[i].pszTitle = PageCaption(context_.instance, pages[i].second, LanguageIndex());
      records[i].pfnDlgProc = [page](HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
        return page->Procedure(dialog, message, wparam, lparam);
      };
    }
    PROPSHEETHEADER header;
    header.dwFlags = PSH_PROPSHEETPAGE | PSH_MAXIMIZE | PSH_USECALLBACK | PSH_NOAPPLYNOW;
    header.hwndParent = owner;
    header.hInstance = context_.instance;
    header.nPages = static_cast<UINT>(records.size());
    header.ppsp = records.data();
    header.pfnCallback = [](HWND sheet, UINT message, LPARAM) {
      if (message == PSCB_INITIALIZED) MakeFullScreen(sheet, true);
      return 0;
    };
    return PropertySheet(&header) == 1;
  }

 private:
  const DialogContext& context_;
  CSettingDlg settings_;
  CSetupDlg setup_;
  CFileDlg file_;
  CVideoDlg video_;
};

}  // namespace

bool RunSettingsSheet(HWND owner, const DialogContext& context) {
  InitCommonControls();
  CSettingSheet sheet(context);
  return sheet.DoModal(owner);
}

}  // namespace camera
