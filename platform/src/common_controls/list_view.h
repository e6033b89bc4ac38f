// The list view control ("SysListView32"): report view with columns under
// a header, rows with a small icon, selection, scrolling and the taps of a
// person (tap, double tap, tap-and-hold).
#pragma once

#include <string>
#include <vector>

#include "common_controls/item_control.h"
#include "platform/common_controls/list_view.h"

namespace platform::common_controls {

class ListView : public ItemControl {
 public:
  ListView(HWND hwnd, const CREATESTRUCT& create);

 private:
  std::optional<LRESULT> OnMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
  // The LVM_* messages by what they work on; nullopt for any other.
  std::optional<LRESULT> HandleItemMessage(UINT message, int index, LPARAM lparam);
  std::optional<LRESULT> HandleColumnMessage(UINT message, int index, LPARAM lparam);
  std::optional<LRESULT> HandleViewMessage(UINT message, WPARAM wparam, LPARAM lparam);
  void OnStylusDown(POINT point) override;
  void OnStylusMove(POINT point) override;
  void OnStylusUp(POINT point) override;
  bool OnKeyDown(UINT key) override;
  void Paint(HDC dc) override;

  struct Column {
    std::string text;
    int width = 0;
    int format = LVCFMT_LEFT;
  };
  struct Item {
    std::vector<std::string> texts;  // by sub-item
    int image = 0;
    UINT state = 0;
    LPARAM param = 0;
  };

  int Count() const { return static_cast<int>(items_.size()); }
  bool Valid(int index) const { return index >= 0 && index < Count(); }
  bool Report() const { return (Style() & LVS_TYPEMASK) == LVS_REPORT; }
  int HeaderHeight() const;
  int RowHeight() const;
  // The client area below the header, where rows scroll.
  RECT RowArea() const;
  RECT RowRect(int index) const;
  int ColumnsWidth() const;
  int ItemAt(POINT point) const;
  int ColumnAt(POINT point) const;
  void UpdateExtent();
  // Destroys the image lists unless they are shared (at WM_DESTROY: the
  // object itself goes later, inside the window system).
  void ReleaseImageLists();
  bool EnsureVisible(int index);

  // Items and columns.
  int InsertItem(const LVITEM& item);
  bool SetItem(const LVITEM& item);
  bool GetItem(LVITEM& item) const;
  bool SetItemText(int index, int sub_item, const char* text);
  bool DeleteItem(int index);
  bool DeleteAllItems();
  int InsertColumn(int index, const LVCOLUMN& column);
  bool SetColumn(int index, const LVCOLUMN& column);
  bool GetColumn(int index, LVCOLUMN& column) const;
  int NextItem(int start, UINT flags) const;
  LRESULT GetItemText(int index, LVITEM* item) const;
  LRESULT HitTest(LVHITTESTINFO* info) const;
  // The previous list.
  HIMAGELIST SetImageList(bool small, HIMAGELIST list);
  // The previous style; a mask of 0 changes every bit.
  DWORD SetExtendedStyle(DWORD mask, DWORD style);

  // State changes with LVN_ITEMCHANGING (which may refuse) and
  // LVN_ITEMCHANGED; false when refused or the item went meanwhile.
  bool ChangeState(int index, UINT state, UINT mask);
  bool SetItemState(int index, UINT state, UINT mask);
  // Selects and focuses one item, clearing the others.
  void SelectOnly(int index);
  void SendActivate(UINT code, int index, POINT point);
  void SendItemNotice(UINT code, int index);

  void PaintHeader(HDC dc) const;
  void PaintRow(HDC dc, int index) const;

  std::vector<Column> columns_;
  std::vector<Item> items_;
  HIMAGELIST small_images_ = nullptr;
  HIMAGELIST normal_images_ = nullptr;
  DWORD extended_style_ = 0;
  COLORREF background_ = CLR_DEFAULT;
  int pressed_item_ = -1;  // the item the stylus went down on
};

}  // namespace platform::common_controls
