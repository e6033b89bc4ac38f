// Radio buttons: BS_RADIOBUTTON (the parent checks it) and
// BS_AUTORADIOBUTTON, which checks itself when clicked and unchecks the
// other automatic radio buttons of its group: the siblings from the
// nearest WS_GROUP control at or before it up to the next WS_GROUP one, in
// the order they were made.
#pragma once

#include "controls/checkable_button.h"

namespace platform::controls {

class RadioButton : public CheckableButton {
 public:
  using CheckableButton::CheckableButton;

 private:
  void Click() override;
  void DrawIndicator(HDC dc, const RECT& square) const override;
  UINT DialogCode() const override;
  void UncheckOthersInGroup() const;
};

}  // namespace platform::controls
