// A group box: a frame with a caption around other controls. It stays
// below its siblings, so the controls it frames show and take taps whatever
// order they were made in; taps on the frame itself go to the parent.
#pragma once

#include "controls/button_base.h"

namespace platform::controls {

class GroupBox : public ButtonBase {
 public:
  using ButtonBase::ButtonBase;
  LRESULT Handle(UINT message, WPARAM wparam, LPARAM lparam) override;

 private:
  void Paint(HDC dc) override;
  bool Pressable() const override { return false; }
  UINT DialogCode() const override;
};

}  // namespace platform::controls
