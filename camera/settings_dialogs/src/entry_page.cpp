#include "entry_page.h"

#include <algorithm>

#include "artwork_ids.h"
#include "camera/session/camera_state.h"
#include "camera/settings/camera_settings.h"
#include "camera/settings/settings_store.h"
#include "camera/settings/settings_writers.h"
#include "camera/strings/string_library.h"
#include "dialog_ids.h"
#include "option_list.h"
#include "platform/common_controls.h"
#include "platform/message_box.h"
#include "string_ids.h"

namespace camera {

using namespace platform;

namespace {

namespace ids = dialog_ids;

// The still sizes a zoom level leaves: from 1280x1024 at level 0, from
// 640x480 at level 1, only 320x240 at level 2.
int FirstStillSize(int zoom_level) {
  static constexpr int kFirst[] = {0, 2, 3};
  return kFirst[std::min(zoom_level, 2)];
}

int ZoomLevel() { return static_cast<int>(Camera().zoom_level); }

}  // namespace

EntryPage::EntryPage(const Layout& layout, std::span<const EntryDefinition> entries,
                     const DialogContext& context)
    : SheetPage(context), layout_(layout), entries_(entries) {}

std::vector<int> EntryPage::ResetValues() const {
  std::vector<int> values;
  for (const EntryDefinition& entry : entries_) values.push_back(entry.reset_value);
  return values;
}

void EntryPage::OnInit() {
  SetItemString(page(), layout_.header, kMenuString);
  SetItemString(page(), layout_.change, kChangeString);
  SetItemString(page(), layout_.reset, kResetString);
  HWND list = Item(layout_.list);
  icons_ = std::make_unique<ImageStrip>(context_.instance, layout_.entry_icons,
                                        artwork_ids::kEntryIconSize);
  SendMessage(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
  SendMessage(list, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(icons_->get()));
  const std::string column = LocalizedText(kColumnString);
  AddListColumn(list, 0, column, ListWidth(list));
  values_ = StoredValues();
  Rebuild();
}

void EntryPage::Rebuild() {
  HWND list = Item(layout_.list);
  const int selected = SelectedRow(list);
  SendMessage(list, LVM_DELETEALLITEMS, 0, 0);
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    AddListRow(list, static_cast<int>(i), EntryText(entries_[i], values_[i]), static_cast<int>(i));
  }
  if (selected >= 0) SelectRow(list, selected);
}

bool EntryPage::OnConfirm() {
  if (changed_) Store(values_);
  return true;
}

INT_PTR EntryPage::Handle(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_CTLCOLORSTATIC:
      return HeaderColour(page(), wparam, lparam, layout_.header);
    case WM_COMMAND: {
      const int id = LOWORD(wparam);
      if (id == layout_.change) {
        const int entry = SelectedRow(Item(layout_.list));
        if (entry < 0) {
          Tell(page(), kSelectItemString, MB_OK);
        } else {
          Change(entry);
        }
        return TRUE;
      }
      if (id == layout_.reset) {
        Reset();
        return TRUE;
      }
      return FALSE;
    }
    case WM_NOTIFY: {
      const auto& header = *reinterpret_cast<const NMHDR*>(lparam);
      if (static_cast<int>(header.idFrom) == layout_.list && header.code == NM_DBLCLK) {
        const int entry = reinterpret_cast<const NMITEMACTIVATE&>(header).iItem;
        if (entry >= 0) Change(entry);
        return TRUE;
      }
      return FALSE;
    }
    default:
      return FALSE;
  }
}

void EntryPage::Change(int entry) {
  const auto index = static_cast<std::size_t>(entry);
  const OptionListRequest request{.template_id = layout_.option_template,
                                  .header_id = layout_.option_header,
                                  .rows_id = layout_.option_rows,
                                  .description_id = layout_.option_description,
                                  .header_string = layout_.option_header_string,
                                  .entry = &entries_[index],
                                  .first_value = FirstOption(entry),
                                  .current_value = values_[index]};
  const int chosen = RunOptionList(page(), request, context_);
  if (chosen < 0 || chosen == values_[index]) return;
  values_[index] = chosen;
  changed_ = true;
  HWND list = Item(layout_.list);
  SetListText(list, entry, 0, EntryText(entries_[index], chosen));
  SelectRow(list, entry);
}

void EntryPage::Reset() {
  values_ = ResetValues();
  changed_ = true;
  Rebuild();
}

CSettingDlg::CSettingDlg(const DialogContext& context)
    : EntryPage(Layout{.template_id = ids::kSettingsPage,
                       .header = ids::kSettingsHeader,
                       .list = ids::kSettingsList,
                       .change = ids::kSettingsChange,
                       .reset = ids::kSettingsReset,
                       .entry_icons = artwork_ids::kSettingsEntryIcons,
                       .option_template = ids::kSettingsOptionList,
                       .option_header = ids::kSettingsOptionHeader,
                       .option_rows = ids::kSettingsOptionRows,
                       .option_description = ids::kSettingsOptionDescription,
                       .option_header_string = kSetupString},
                SettingsPageEntries(), context) {}

std::vector<int> CSettingDlg::StoredValues() const {
  std::vector<int> values;
  for (const EntryDefinition& entry : SettingsPageEntries()) {
    values.push_back(ReadSetting(*entry.setting));
  }
  if (ZoomLevel() != 0) values[kResolutionEntry] = Settings().zoomed_still_size;
  return values;
}

std::vector<int> CSettingDlg::ResetValues() const {
  std::vector<int> values = EntryPage::ResetValues();
  // 1280x960 unzoomed, else the largest size the zoom window allows.
  if (ZoomLevel() != 0) values[kResolutionEntry] = FirstStillSize(ZoomLevel());
  return values;
}

int CSettingDlg::FirstOption(int entry) const {
  return entry == kResolutionEntry ? FirstStillSize(ZoomLevel()) : 0;
}

void CSettingDlg::Store(const std::vector<int>& values) {
  StoreSettingsPage(SettingsPageValues{.awb = values[0],
                                       .color = values[1],
                                       .imagequality = values[2],
                                       .resolution = values[kResolutionEntry],
                                       .ae_metering = values[4]},
                    ZoomLevel() != 0);
}

CSetupDlg::CSetupDlg(const DialogContext& context)
    : EntryPage(Layout{.template_id = ids::kSetupPage,
                       .header = ids::kSetupHeader,
                       .list = ids::kSetupList,
                       .change = ids::kSetupChange,
                       .reset = ids::kSetupReset,
                       .entry_icons = artwork_ids::kSetupEntryIcons,
                       .option_template = ids::kSetupOptionList,
                       .option_header = ids::kSetupOptionHeader,
                       .option_rows = ids::kSetupOptionRows,
                       .option_description = ids::kSetupOptionDescription,
                       .option_header_string = kSettingsString},
                SetupPageEntries(), context) {}

std::vector<int> CSetupDlg::StoredValues() const {
  std::vector<int> values;
  for (const EntryDefinition& entry : SetupPageEntries()) {
    values.push_back(ReadSetting(*entry.setting));
  }
  return values;
}

void CSetupDlg::Store(const std::vector<int>& values) {
  StoreSetupPage(SetupPageValues{.camera_sound = values[0],
                                 .instant_review = values[1],
                                 .selftime = values[2],
                                 .business_card = values[3]});
}

}  // namespace camera
