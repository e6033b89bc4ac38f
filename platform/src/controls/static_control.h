// The "STATIC" control: a text (left, centred or right, wrapped at words or
// not), a bitmap (SS_BITMAP, given with STM_SETIMAGE) or an icon, on the
// background the parent chooses with WM_CTLCOLORSTATIC. With SS_NOTIFY a
// tap tells the parent STN_CLICKED; without it taps go through to the
// parent.
#pragma once

#include "controls/control.h"

namespace platform::controls {

class StaticControl : public Control {
 public:
  using Control::Control;
  LRESULT Handle(UINT message, WPARAM wparam, LPARAM lparam) override;

 private:
  void Paint(HDC dc) override;
  DWORD Kind() const { return Style() & SS_TYPEMASK; }
  void PaintText(HDC dc, const RECT& client) const;
  void PaintBitmap(HDC dc, const RECT& client) const;
  LRESULT SetImage(WPARAM type, LPARAM image);

  HBITMAP bitmap_ = nullptr;  // the caller's; not deleted here
  HICON icon_ = nullptr;
};

}  // namespace platform::controls
