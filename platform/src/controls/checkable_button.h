// Buttons that carry a check: a small indicator (a box or a circle) beside
// their label, on the parent's background (WM_CTLCOLORSTATIC).
#pragma once

#include "controls/button_base.h"

namespace platform::controls {

class CheckableButton : public ButtonBase {
 public:
  using ButtonBase::ButtonBase;

 protected:
  LRESULT GetCheck() const override { return check_; }
  void SetCheck(WPARAM check) override;
  // Draws the indicator in its square.
  virtual void DrawIndicator(HDC dc, const RECT& square) const = 0;
  // The kind (BS_TYPEMASK) checks itself when clicked.
  bool Automatic(DWORD kind) const { return (Style() & BS_TYPEMASK) == kind; }

 private:
  void Paint(HDC dc) override;

  UINT check_ = BST_UNCHECKED;
};

// Side of the indicator's square.
inline constexpr int kIndicatorSize = 13;

}  // namespace platform::controls
