// The templates of the settings dialogs, in dialog units (a page is 160 x
// 150, a full-screen dialog 160 x 165). Texts that come from the string
// library are set when a dialog opens; the templates hold the fixed ones.
#include "camera/settings_dialogs/settings_dialogs.h"
#include "dialog_ids.h"
#include "platform/common_controls.h"
#include "platform/controls.h"
#include "platform/dialogs.h"

namespace camera {

namespace {

using namespace platform;
namespace ids = dialog_ids;

constexpr DWORD kList = LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOSORTHEADER |
                        LVS_SHAREIMAGELISTS | WS_BORDER | WS_TABSTOP;
constexpr DWORD kPush = BS_PUSHBUTTON | WS_TABSTOP;
constexpr DWORD kEdit = ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP;

DialogItemTemplate Item(const char* window_class, int id, DWORD style, int x, int y, int cx, int cy,
                        const char* text = "") {
  return DialogChild(window_class, text, id, style, x, y, cx, cy);
}

DialogItemTemplate Header(int id) { return Item(kStaticClassName, id, SS_LEFT, 4, 2, 152, 10); }

DialogTemplate Page(std::vector<DialogItemTemplate> items) {
  DialogTemplate page;
  page.style = WS_CHILD;
  page.cx = 160;
  page.cy = 150;
  page.items = std::move(items);
  return page;
}

DialogTemplate FullScreen(std::vector<DialogItemTemplate> items) {
  DialogTemplate dialog;
  dialog.style = WS_POPUP;
  dialog.cx = 160;
  dialog.cy = 165;
  dialog.items = std::move(items);
  return dialog;
}

DialogTemplate EntryPage(int header, int list, int change, int reset) {
  return Page({Header(header), Item(WC_LISTVIEW, list, kList, 2, 14, 156, 112),
               Item(kButtonClassName, change, kPush, 14, 132, 60, 14),
               Item(kButtonClassName, reset, kPush, 86, 132, 60, 14)});
}

DialogTemplate FilePage() {
  return Page({Header(ids::kFileHeader),
               Item(kStaticClassName, ids::kPrefixLabel, SS_LEFT, 4, 16, 152, 10),
               Item(kEditClassName, ids::kPrefixEdit, kEdit, 4, 27, 110, 12),
               Item(kStaticClassName, ids::kCounterLabel, SS_LEFT, 4, 44, 152, 10),
               Item(kEditClassName, ids::kCounterEdit, kEdit | ES_NUMBER, 4, 55, 44, 12),
               Item(kStaticClassName, ids::kCounterRange, SS_LEFT, 52, 57, 80, 10, "(0000-9999)"),
               Item(kStaticClassName, ids::kFolderLabel, SS_LEFT, 4, 72, 152, 10),
               Item(kEditClassName, ids::kFolderEdit, kEdit | ES_READONLY, 4, 83, 130, 12),
               Item(kButtonClassName, ids::kBrowseButton, kPush, 138, 83, 18, 12, "...")});
}

DialogTemplate VideoPage() {
  return Page({Header(ids::kVideoHeader),
               Item(kButtonClassName, ids::kResolutionGroup, BS_GROUPBOX, 4, 16, 152, 40),
               Item(kButtonClassName, ids::kLarge, BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, 12,
                    28, 100, 10, "320x240"),
               Item(kButtonClassName, ids::kSmall, BS_AUTORADIOBUTTON, 12, 41, 100, 10, "160x120"),
               Item(kButtonClassName, ids::kAudioGroup, BS_GROUPBOX, 4, 62, 152, 40),
               Item(kButtonClassName, ids::kAudioOff, BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP,
                    12, 74, 100, 10),
               Item(kButtonClassName, ids::kAudioOn, BS_AUTORADIOBUTTON, 12, 87, 100, 10)});
}

DialogTemplate OptionList(int header, int rows, int description) {
  return FullScreen({Header(header), Item(WC_LISTVIEW, rows, kList, 2, 14, 156, 86),
                     Item(kStaticClassName, description, SS_LEFT, 4, 104, 152, 34),
                     Item(kButtonClassName, IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP, 14, 144, 60, 14),
                     Item(kButtonClassName, IDCANCEL, kPush, 86, 144, 60, 14)});
}

DialogTemplate FolderChooser() {
  return FullScreen({Item(kStaticClassName, ids::kChooserLabel, SS_LEFT, 4, 3, 152, 10),
                     Item(WC_TREEVIEW, ids::kFolderTree,
                          TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS |
                              TVS_EDITLABELS | WS_BORDER | WS_TABSTOP,
                          2, 15, 156, 110),
                     Item(kButtonClassName, ids::kAddFolder, kPush, 4, 129, 74, 14),
                     Item(kButtonClassName, ids::kDeleteFolder, kPush, 82, 129, 74, 14),
                     Item(kButtonClassName, IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP, 14, 147, 60, 14),
                     Item(kButtonClassName, IDCANCEL, kPush, 86, 147, 60, 14)});
}

DialogTemplate AboutBox() {
  return FullScreen(
      {Item(kStaticClassName, ids::kAboutImage, SS_BITMAP | SS_CENTERIMAGE, 4, 4, 152, 40),
       Item(kStaticClassName, ids::kProductName, SS_CENTER, 4, 48, 152, 10),
       Item(WC_LISTVIEW, ids::kVersionList, LVS_REPORT | LVS_NOSORTHEADER | WS_BORDER, 4, 62, 152,
            60),
       Item(kStaticClassName, ids::kTimeLine, SS_LEFT, 4, 126, 152, 10),
       Item(kStaticClassName, ids::kBuildLabel, SS_LEFT, 4, 138, 152, 10, "V1.00.01")});
}

}  // namespace

void AddSettingsDialogTemplates(ModuleResources* resources) {
  resources->AddDialog(ids::kSettingsPage, EntryPage(ids::kSettingsHeader, ids::kSettingsList,
                                                     ids::kSettingsChange, ids::kSettingsReset));
  resources->AddDialog(ids::kSetupPage, EntryPage(ids::kSetupHeader, ids::kSetupList,
                                                  ids::kSetupChange, ids::kSetupReset));
  resources->AddDialog(ids::kFilePage, FilePage());
  resources->AddDialog(ids::kVideoPage, VideoPage());
  resources->AddDialog(ids::kSettingsOptionList,
                       OptionList(ids::kSettingsOptionHeader, ids::kSettingsOptionRows,
                                  ids::kSettingsOptionDescription));
  resources->AddDialog(
      ids::kSetupOptionList,
      OptionList(ids::kSetupOptionHeader, ids::kSetupOptionRows, ids::kSetupOptionDescription));
  resources->AddDialog(ids::kFolderChooser, FolderChooser());
  resources->AddDialog(ids::kAboutBox, AboutBox());
}

}  // namespace camera
