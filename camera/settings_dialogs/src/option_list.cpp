#include "option_list.h"

#include <vector>

#include "artwork_ids.h"
#include "camera/strings/string_library.h"
#include "dialog_support.h"
#include "platform/common_controls.h"
#include "platform/shell_state.h"
#include "string_ids.h"

namespace camera {

using namespace platform;

namespace {

class OptionList {
 public:
  OptionList(const OptionListRequest& request, const DialogContext& context)
      : request_(request),
        context_(context),
        rows_images_(context.instance, request.entry->row_bitmap, artwork_ids::kRowImageWidth) {}

  int Run(HWND owner) {
    const INT_PTR result = DialogBoxParam(
        context_.instance, request_.template_id, owner,
        [this](HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
          return Procedure(dialog, message, wparam, lparam);
        },
        0);
    return result == IDOK ? chosen_ : -1;
  }

 private:
  INT_PTR Procedure(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
      case WM_INITDIALOG:
        dialog_ = dialog;
        Fill();
        return TRUE;
      case WM_CTLCOLORSTATIC:
        return HeaderColour(dialog, wparam, lparam, request_.header_id);
      case WM_NOTIFY:
        return OnNotify(*reinterpret_cast<const NMHDR*>(lparam));
      case WM_COMMAND:
        if (LOWORD(wparam) == IDOK) {
          Close(SelectedRow(Rows()));
          return TRUE;
        }
        if (LOWORD(wparam) == IDCANCEL) {
          EndDialog(dialog, IDCANCEL);
          return TRUE;
        }
        return FALSE;
      case WM_HELP:
        if (context_.open_help) context_.open_help();
        return TRUE;
      default:
        return FALSE;
    }
  }

  HWND Rows() const { return GetDlgItem(dialog_, request_.rows_id); }

  void Fill() {
    MakeFullScreen(dialog_, false);
    SHSipPreference(dialog_, SIP_DOWN);
    SetWindowText(dialog_, LocalizedText(kTitleString));
    SetItemString(dialog_, request_.header_id, request_.header_string);
    SetItemString(dialog_, IDOK, kOkString);
    SetItemString(dialog_, IDCANCEL, kCancelString);
    HWND rows = Rows();
    SendMessage(rows, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    SendMessage(rows, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(rows_images_.get()));
    const std::string name = LocalizedText(request_.entry->name_id);
    AddListColumn(rows, 0, name, ListWidth(rows));
    // The table ends at its sentinel.
    const std::vector<std::string> texts = OptionTexts(*request_.entry);
    for (int value = request_.first_value;
         value < static_cast<int>(texts.size()) &&
         texts[static_cast<std::size_t>(value)] != kOptionSentinel;
         ++value) {
      AddListRow(rows, value - request_.first_value, texts[static_cast<std::size_t>(value)], value);
    }
    const int current_row = request_.current_value - request_.first_value;
    if (current_row >= 0 &&
        current_row < static_cast<int>(texts.size()) - 1 - request_.first_value) {
      SelectRow(rows, current_row);
      ShowDescription(current_row);
    }
  }

  INT_PTR OnNotify(const NMHDR& header) {
    if (static_cast<int>(header.idFrom) != request_.rows_id) return FALSE;
    if (header.code == LVN_ITEMCHANGED) {
      const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
      if ((change.uNewState & LVIS_SELECTED) && !(change.uOldState & LVIS_SELECTED)) {
        ShowDescription(change.iItem);
      }
      return TRUE;
    }
    if (header.code == NM_DBLCLK) {
      const auto& tap = reinterpret_cast<const NMITEMACTIVATE&>(header);
      if (tap.iItem >= 0) Close(tap.iItem);
      return TRUE;
    }
    return FALSE;
  }

  void ShowDescription(int row) {
    SetDlgItemText(dialog_, request_.description_id,
                   OptionDescription(*request_.entry, row + request_.first_value));
  }

  void Close(int row) {
    chosen_ = row >= 0 ? row + request_.first_value : -1;
    EndDialog(dialog_, IDOK);
  }

  const OptionListRequest& request_;
  const DialogContext& context_;
  ImageStrip rows_images_;
  HWND dialog_ = nullptr;
  int chosen_ = -1;
};

}  // namespace

int RunOptionList(HWND owner, const OptionListRequest& request, const DialogContext& context) {
  OptionList list(request, context);
  return list.Run(owner);
}

}  // namespace camera
