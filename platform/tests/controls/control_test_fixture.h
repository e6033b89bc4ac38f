// A handheld with a parent window that records what its controls tell it,
// and helpers that act as a person would: taps, drags, keys and typing
// through the emulator's input.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/controls.h"
#include "platform/gdi.h"
#include "platform/input.h"
#include "platform/message_box.h"
#include "platform/screen.h"
#include "platform/time.h"
#include "platform/window_paint.h"
#include "windows/window_test_fixture.h"

namespace platform::testing {

class ControlTest : public WindowTest {
 protected:
  static constexpr int kParentTop = 26;

  void SetUp() override {
    RegisterRecordingClass("ControlParent", nullptr, GetSysColorBrush(COLOR_WINDOW));
    parent_ = CreateWindow("ControlParent", "Parent", WS_VISIBLE, 0, kParentTop, 240, 268, nullptr,
                           nullptr, nullptr, nullptr);
    ASSERT_NE(parent_, nullptr);
    Pump();
  }

  HWND Make(std::string_view class_name, std::string_view text, DWORD style, int x, int y,
            int width, int height, int id, HWND parent = nullptr) {
    HWND hwnd =
        CreateWindow(class_name, text, WS_CHILD | WS_VISIBLE | style, x, y, width, height,
                     parent ? parent : parent_,
                     reinterpret_cast<HMENU>(static_cast<std::uintptr_t>(id)), nullptr, nullptr);
    EXPECT_NE(hwnd, nullptr);
    Pump();
    return hwnd;
  }

  static POINT OnScreen(HWND hwnd, int x, int y) {
    POINT point{x, y};
    ClientToScreen(hwnd, &point);
    return point;
  }
  // A tap at a point of the window's client area.
  static void Tap(HWND hwnd, int x, int y) {
    const POINT point = OnScreen(hwnd, x, y);
    input::StylusDown(point.x, point.y);
    Pump();
    input::StylusUp(point.x, point.y);
    Pump();
  }
  static void Press(HWND hwnd, int x, int y) {
    const POINT point = OnScreen(hwnd, x, y);
    input::StylusDown(point.x, point.y);
    Pump();
  }
  static void MoveTo(HWND hwnd, int x, int y) {
    const POINT point = OnScreen(hwnd, x, y);
    input::StylusMove(point.x, point.y);
    Pump();
  }
  static void Lift(HWND hwnd, int x, int y) {
    const POINT point = OnScreen(hwnd, x, y);
    input::StylusUp(point.x, point.y);
    Pump();
  }
  static void Key(UINT key) {
    input::KeyDown(key);
    Pump();
    input::KeyUp(key);
    Pump();
  }
  static void Type(std::string_view text) {
    for (char c : text) input::Char(static_cast<wchar_t>(static_cast<unsigned char>(c)));
    Pump();
  }
  // Moves the handheld's clock on and lets timers fire.
  static void Wait(std::uint64_t milliseconds) {
    clock::Advance(milliseconds);
    Pump();
  }

  // Notification codes the parent received from control `id`, in order.
  std::vector<WORD> Notifications(int id) const {
    std::vector<WORD> codes;
    for (const Received& r : ReceivedBy(parent_, WM_COMMAND)) {
      if (LOWORD(r.wparam) == id) codes.push_back(HIWORD(r.wparam));
    }
    return codes;
  }
  int CountOf(int id, WORD code) const {
    int count = 0;
    for (WORD c : Notifications(id)) count += c == code ? 1 : 0;
    return count;
  }
  void ClearReceived() { received_.clear(); }

  std::size_t Beeps() { return device_.handheld().message_boxes().Beeps().size(); }

  static std::string Text(HWND hwnd) { return GetWindowText(hwnd); }

  // What the screen shows at a point of the window's client area.
  static COLORREF ScreenPixel(HWND hwnd, int x, int y) {
    const POINT point = OnScreen(hwnd, x, y);
    return screen::Compose().GetPixel(point.x, point.y);
  }
  // A colour as the 16-bit screen shows it.
  static COLORREF Shown(COLORREF color) {
    const auto widen = [](int value, int bits) {
      const int kept = value >> (8 - bits);
      return (kept << (8 - bits)) | (kept >> (2 * bits - 8));
    };
    return RGB(widen(GetRValue(color), 5), widen(GetGValue(color), 6), widen(GetBValue(color), 5));
  }
  // Whether any pixel of the rectangle (client coordinates) is dark: ink.
  static bool HasInk(HWND hwnd, const RECT& area) {
    const gdi::Surface& shown = screen::Compose();
    for (int y = area.top; y < area.bottom; ++y) {
      for (int x = area.left; x < area.right; ++x) {
        const POINT point = OnScreen(hwnd, x, y);
        const COLORREF c = shown.GetPixel(point.x, point.y);
        if (GetRValue(c) + GetGValue(c) + GetBValue(c) < 3 * 96) return true;
      }
    }
    return false;
  }

  HWND parent_ = nullptr;
};

}  // namespace platform::testing
