// The list a drop-down combo box opens: a list box in a popup of its own
// over everything, holding the stylus while it is open. A tap on a row
// chooses it, a tap anywhere outside closes the list without a choice; the
// combo box hears of either through its private messages.
#pragma once

#include "controls/list_box.h"

namespace platform::controls {

// The popup's class, and what it tells the combo box.
inline constexpr char kDropListClassName[] = "ComboLBox";
inline constexpr UINT kDropListChoseMessage = 0x03F8;  // wParam the row
inline constexpr UINT kDropListCancelMessage = 0x03F9;

class DropList : public ListBox {
 public:
  // `combo` is the combo box the list belongs to (null: a plain list).
  DropList(HWND hwnd, HWND combo) : ListBox(hwnd, false, false), combo_(combo) {}
  LRESULT Handle(UINT message, WPARAM wparam, LPARAM lparam) override;

 private:
  void UserSelected() override {}
  void UserDoubleTapped() override {}
  void StylusLifted(POINT point) override;
  bool TakesFocus() const override { return false; }
  void Tell(UINT message, WPARAM wparam) const;

  HWND combo_;
};

}  // namespace platform::controls
