// Push buttons: plain (BS_PUSHBUTTON), default (BS_DEFPUSHBUTTON, drawn
// with a thicker frame; BM_SETSTYLE switches between the two) and
// owner-drawn (BS_OWNERDRAW: the parent draws it on WM_DRAWITEM, with
// ODS_SELECTED while it is pressed).
#pragma once

#include "controls/button_base.h"

namespace platform::controls {

class PushButton : public ButtonBase {
 public:
  using ButtonBase::ButtonBase;

 private:
  void Paint(HDC dc) override;
  UINT DialogCode() const override;
  bool OwnerDrawn() const;
  bool IsDefault() const;
};

}  // namespace platform::controls
