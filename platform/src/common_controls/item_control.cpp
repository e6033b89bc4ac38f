#include "common_controls/item_control.h"

#include "platform/time.h"

namespace platform::common_controls {

ItemControl::Press ItemControl::BeginPress(const RECT& area, POINT point, bool on_item,
                                           DWORD item) {
  SetFocus(hwnd());
  press_point_ = point;
  press_active_ = false;
  press_consumed_ = false;
  if (scroll_.Press(area, point)) {
    SetCapture(hwnd());
    Redraw();
    return Press::kStrip;
  }
  NMRGINFO gesture;
  gesture.ptAction = point;
  ClientToScreen(hwnd(), &gesture.ptAction);
  gesture.dwItemSpec = item;
  const bool watch_hold = on_item && Notify(gesture.hdr, NM_RECOGNIZEGESTURE) == 0;
  const bool double_tap = gestures_.Down(hwnd(), point, watch_hold);
  press_active_ = true;
  press_time_ = GetTickCount();
  press_item_ = item;
  SetCapture(hwnd());
  if (!double_tap) return Press::kTap;
  press_consumed_ = true;
  return Press::kDoubleTap;
}

bool ItemControl::MovePress(const RECT& area, POINT point) {
  if (scroll_.dragging()) return scroll_.Drag(area, point);
  if (press_active_) gestures_.Move(hwnd(), point);
  return false;
}

bool ItemControl::EndPress() {
  gestures_.Up(hwnd());
  scroll_.Release();
  const bool was_active = press_active_;
  press_active_ = false;
  if (GetCapture() == hwnd()) ReleaseCapture();
  return was_active && !press_consumed_;
}

bool ItemControl::PressWasHeld() const {
  return gestures_.held() || GetTickCount() - press_time_ >= kTapAndHoldTimeMs;
}

void ItemControl::OnFocus(bool focused) {
  focused_ = focused;
  Redraw();
  NMHDR header;
  Notify(header, focused ? NM_SETFOCUS : NM_KILLFOCUS);
}

void ItemControl::OnTimer(UINT_PTR timer) {
  if (!gestures_.Timer(hwnd(), timer)) return;
  press_consumed_ = true;
  NMRGINFO gesture;
  gesture.ptAction = press_point_;
  ClientToScreen(hwnd(), &gesture.ptAction);
  gesture.dwItemSpec = press_item_;
  Notify(gesture.hdr, GN_CONTEXTMENU);
}

}  // namespace platform::common_controls
