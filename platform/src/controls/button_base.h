// What every kind of button shares: the stylus presses it (shown pushed
// while the stylus stays on it) and a release on it clicks; Space or the
// action key does the same from the keyboard. A click tells the parent
// BN_CLICKED. BM_GETSTATE, BM_SETSTATE, BM_CLICK and BM_SETSTYLE are
// answered here; the kinds add their checks and their look.
#pragma once

#include <optional>
#include <string>

#include "controls/control.h"

namespace platform::controls {

class ButtonBase : public Control {
 public:
  using Control::Control;
  LRESULT Handle(UINT message, WPARAM wparam, LPARAM lparam) override;

 protected:
  bool pushed() const { return pushed_; }
  std::string Text() const { return GetWindowText(hwnd()); }
  // The context state an owner or the look needs: ODS_* bits.
  UINT DrawState() const;

  // A completed tap or key press.
  virtual void Click();
  virtual LRESULT GetCheck() const { return BST_UNCHECKED; }
  virtual void SetCheck(WPARAM) {}
  // Whether taps press it at all (a group box only frames others).
  virtual bool Pressable() const { return true; }
  virtual UINT DialogCode() const = 0;

 private:
  // The BM_* messages; nullopt for any other.
  std::optional<LRESULT> HandleButtonMessage(UINT message, WPARAM wparam, LPARAM lparam);
  void SetPushed(bool pushed);
  void StylusDown();
  void StylusMove(POINT point);
  void StylusUp(POINT point);
  // True when the key presses (or releases) the button.
  bool KeyDown(WPARAM key);
  bool KeyUp(WPARAM key);
  void FocusChanged(bool focused);

  bool pushed_ = false;
  bool tracking_ = false;
  bool key_down_ = false;
};

}  // namespace platform::controls
