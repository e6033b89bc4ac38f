// The "COMBOBOX" control as a drop-down list (CBS_DROPDOWNLIST): a box
// showing the chosen item with an arrow button. A tap opens the list
// (CBN_DROPDOWN) in a popup below the box, or above it when the screen has
// no room below; choosing a row there sends CBN_SELCHANGE when the choice
// changed, then CBN_SELENDOK and CBN_CLOSEUP; a tap elsewhere closes it
// with CBN_SELENDCANCEL and CBN_CLOSEUP. The height the control was made
// with is the box and its open list together; the window itself keeps
// only the box's height.
#pragma once

#include <optional>

#include "controls/control.h"
#include "controls/item_list.h"

namespace platform::controls {

class ComboBox : public Control {
 public:
  ComboBox(HWND hwnd, bool sorted) : Control(hwnd), items_(sorted) {}
  LRESULT Handle(UINT message, WPARAM wparam, LPARAM lparam) override;

 private:
  void Paint(HDC dc) override;
  int BoxHeight() const;
  int ItemHeight() const;
  void KeepBoxHeight(int height);
  void Open();
  void Toggle();
  // Opening and closing the list (CB_SHOWDROPDOWN and the list's own
  // messages); nullopt for any other.
  std::optional<LRESULT> HandleDropDownMessage(UINT message, WPARAM wparam, LPARAM lparam);
  // Closes the list; `chosen` the row chosen, or -1 when cancelled.
  void Close(int chosen);
  bool Select(int index);
  bool Key(WPARAM key);
  RECT DroppedRect() const;
  LRESULT CopyText(WPARAM size, char* buffer) const;

  ItemList items_;
  int selection_ = -1;
  int list_height_ = 0;  // of the open list, from the height made with
  bool resizing_ = false;
  HWND list_ = nullptr;  // the open list's popup
};

}  // namespace platform::controls
