#include "dialog_support.h"

#include "camera/strings/string_library.h"
#include "platform/common_controls.h"
#include "platform/gdi.h"
#include "platform/message_box.h"
#include "platform/shell_dialog.h"
#include "string_ids.h"

namespace camera {

using namespace platform;

namespace {

constexpr COLORREF kHeaderBlue = RGB(0, 0, 255);

}  // namespace

int Tell(HWND owner, std::string_view text, UINT type) {
  const std::string caption = LocalizedText(kTitleString);
  return MessageBox(owner, text, caption, type);
}

int Tell(HWND owner, UINT text_id, UINT type) {
  const std::string text = LocalizedText(text_id);
  return Tell(owner, text, type);
}

void SetItemString(HWND dialog, int id, UINT string_id) {
  SetDlgItemText(dialog, id, LocalizedText(string_id));
}

INT_PTR HeaderColour(HWND dialog, WPARAM dc, LPARAM control, int header_id) {
  if (GetDlgCtrlID(reinterpret_cast<HWND>(control)) != header_id) return FALSE;
  // The platform's colours first, then the blue over them.
  const LRESULT brush = DefWindowProc(dialog, WM_CTLCOLORSTATIC, dc, control);
  SetTextColor(reinterpret_cast<HDC>(dc), kHeaderBlue);
  return static_cast<INT_PTR>(brush);
}

void MakeFullScreen(HWND dialog, bool done) {
  SHINITDLGINFO info;
  info.hDlg = dialog;
  info.dwFlags = SHIDIF_SIZEDLGFULLSCREEN | SHIDIF_EMPTYMENU | (done ? SHIDIF_DONEBUTTON : 0);
  SHInitDialog(&info);
}

void AddListColumn(HWND list, int index, std::string_view text, int width) {
  std::string copy(text);
  LVCOLUMN column;
  column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
  column.cx = width;
  column.pszText = copy.data();
  column.iSubItem = index;
  SendMessage(list, LVM_INSERTCOLUMN, static_cast<WPARAM>(index),
              reinterpret_cast<LPARAM>(&column));
}

void AddListRow(HWND list, int index, std::string_view text, int image) {
  std::string copy(text);
  LVITEM item;
  item.mask = LVIF_TEXT | (image >= 0 ? LVIF_IMAGE : 0);
  item.iItem = index;
  item.pszText = copy.data();
  item.iImage = image;
  SendMessage(list, LVM_INSERTITEM, 0, reinterpret_cast<LPARAM>(&item));
}

void SetListText(HWND list, int index, int column, std::string_view text) {
  std::string copy(text);
  LVITEM item;
  item.iSubItem = column;
  item.pszText = copy.data();
  SendMessage(list, LVM_SETITEMTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
}

int SelectedRow(HWND list) {
  return static_cast<int>(
      SendMessage(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

void SelectRow(HWND list, int index) {
  LVITEM state;
  state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  state.state = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessage(list, LVM_SETITEMSTATE, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&state));
  SendMessage(list, LVM_ENSUREVISIBLE, static_cast<WPARAM>(index), 0);
}

int ListWidth(HWND list) {
  RECT client;
  GetClientRect(list, &client);
  return client.right - client.left;
}

ImageStrip::ImageStrip(HINSTANCE instance, UINT bitmap, int width)
    : list_(ImageList_LoadBitmap(instance, bitmap, width, 0, RGB(0, 0, 0))) {}

ImageStrip::~ImageStrip() {
  if (list_) ImageList_Destroy(list_);
}

}  // namespace camera
