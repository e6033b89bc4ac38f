#include "options_sheet.h"

#include "browser_children.h"
#include "gallery/resources/dialog_ids.h"
#include "gallery/resources/string_ids.h"
#include "gallery_state.h"
#include "option_pages.h"
#include "part_commands.h"
#include "platform/property_sheet.h"
#include "platform/shell_dialog.h"
#include "resource_texts.h"
#include "sheet_help.h"

namespace gallery {

using namespace platform;

namespace {

struct Page {
  UINT dialog;
  DLGPROC procedure;
};

int SheetCallback(HWND sheet, UINT message, LPARAM) {
  if (message != PSCB_INITIALIZED) return 0;
  SHINITDLGINFO info;
  info.hDlg = sheet;
  // The sheet's own empty bar covers the browser's, whose commands must
  // wait until the sheet is closed.
  info.dwFlags = SHIDIF_DONEBUTTON | SHIDIF_SIZEDLGFULLSCREEN | SHIDIF_EMPTYMENU;
  SHInitDialog(&info);
  PassHelpToPages(sheet);
  return 0;
}

}  // namespace

void RunOptionsSheet(HWND browser) {
  GalleryState& gallery = Gallery();
  const FileOptions before = gallery.options.file;
  const Page order[] = {{kDialogGeneralPage, GeneralPageProcedure},
                        {kDialogFilePage, FilePageProcedure},
                        {kDialogSlideshowPage, SlideshowPageProcedure},
                        {kDialogAudioPage, AudioPageProcedure}};
  std::vector<PROPSHEETPAGE> pages;
  for (const Page& page : order) {
    PROPSHEETPAGE sheet_page;
    sheet_page.hInstance = gallery.resources;
    sheet_page.pszTemplate = page.dialog;
    sheet_page.pfnDlgProc = page.procedure;
    pages.push_back(std::move(sheet_page));
  }
  PROPSHEETHEADER header;
  header.dwFlags = PSH_PROPSHEETPAGE | PSH_MAXIMIZE | PSH_USECALLBACK;
  header.hwndParent = browser;
  header.hInstance = gallery.resources;
  header.pszCaption = ResourceText(kStringOptionsTitle);
  header.nPages = static_cast<UINT>(pages.size());
  header.ppsp = pages.data();
  header.pfnCallback = SheetCallback;
  PropertySheet(&header);
  AfterOptionsSheet(browser, before);
}

void AfterOptionsSheet(HWND browser, const FileOptions& before) {
  GalleryState& gallery = Gallery();
  const FileOptions& now = gallery.options.file;
  if (now.sort_key != before.sort_key || now.sort_ascending != before.sort_ascending ||
      now.include_subfolders != before.include_subfolders) {
    ListShownFolder(browser);
  }
  SaveGalleryOptions(gallery.options);
  gallery.recorder_audio = gallery.options.audio;
  ShowHistogram(browser, gallery.options.general.show_histogram != 0);
  ViewOptionsApplied(browser);
}

}  // namespace gallery
