// The "LISTBOX" control: rows of texts, one of which may be selected. A tap
// selects the row under the stylus (LBS_NOTIFY: LBN_SELCHANGE when that
// changed the selection, LBN_DBLCLK on a double tap); the arrow keys move
// the selection. With WS_VSCROLL a bar shows when the rows do not fit;
// with WS_HSCROLL and LB_SETHORIZONTALEXTENT wider than the list, a bar
// scrolls the rows sideways.
#pragma once

#include <optional>

#include "controls/control.h"
#include "controls/item_list.h"
#include "controls/own_scroll_bars.h"
#include "controls/tap_gestures.h"

namespace platform::controls {

class ListBox : public Control {
 public:
  ListBox(HWND hwnd, bool sorted, bool always_show_bars);
  LRESULT Handle(UINT message, WPARAM wparam, LPARAM lparam) override;

 protected:
  ItemList& items() { return items_; }
  int selection() const { return selection_; }
  // Selects a row (-1: none) and brings it into view; whether it changed.
  bool Select(int index);
  // The selection changed through a tap or a key.
  virtual void UserSelected();
  virtual void UserDoubleTapped();
  // The stylus was lifted after a press in the rows (not on a bar).
  virtual void StylusLifted(POINT) {}
  // Whether a tap gives the list the focus.
  virtual bool TakesFocus() const { return true; }
  int ItemAt(POINT point) const;
  void ContentChanged();

 private:
  void Paint(HDC dc) override;
  int VisibleRows() const;
  int MaxTop() const;
  void SetTop(int top);
  void SetHorizontalOffset(int offset);
  void UpdateScrollBars();
  void StylusDown(POINT point);
  void StylusMove(POINT point);
  void StylusUp(LPARAM lparam);
  // The LB_* messages of the list's view (top, extents, item rectangles
  // and heights); nullopt for any other.
  std::optional<LRESULT> HandleListMessage(UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT SetTopIndex(int index);
  bool Key(WPARAM key);
  void UserMove(int index);
  LRESULT Scroll(UINT message, WPARAM wparam);
  LRESULT ItemRect(int index, RECT* rect) const;

  ItemList items_;
  OwnScrollBars bars_;
  DoubleTap double_tap_;
  int selection_ = -1;
  int top_ = 0;
  int item_height_ = 16;
  int horizontal_extent_ = 0;
  int horizontal_offset_ = 0;
  bool tracking_ = false;
};

}  // namespace platform::controls
