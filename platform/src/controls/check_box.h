// Check boxes: BS_CHECKBOX (the parent checks it), BS_AUTOCHECKBOX (a click
// toggles it), BS_3STATE and BS_AUTO3STATE (a third, indeterminate state).
#pragma once

#include "controls/checkable_button.h"

namespace platform::controls {

class CheckBox : public CheckableButton {
 public:
  using CheckableButton::CheckableButton;

 private:
  void Click() override;
  void DrawIndicator(HDC dc, const RECT& square) const override;
  UINT DialogCode() const override;
};

}  // namespace platform::controls
