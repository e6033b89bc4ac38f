// A handheld with the common controls registered and a host window that
// records what its controls tell it (WM_NOTIFY records copied as they
// arrive, WM_COMMAND, WM_HSCROLL and WM_VSCROLL) and can answer them.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/common_controls.h"
#include "platform/input.h"
#include "platform/testing/temp_handheld.h"
#include "platform/time.h"
#include "platform/window.h"
#include "platform/window_paint.h"

namespace platform::testing {

struct Notice {
  HWND from = nullptr;
  UINT code = 0;
  NMLISTVIEW list;                  // list view notifications (NMITEMACTIVATE starts the same)
  NMTREEVIEW tree;                  // tree view notifications
  TVITEM display;                   // NMTVDISPINFO's item
  std::optional<std::string> text;  // its text, when it had one
  NMRGINFO gesture;                 // NM_RECOGNIZEGESTURE and GN_CONTEXTMENU
};

struct Scroll {
  UINT message = 0;
  WORD code = 0;
  WORD position = 0;
  HWND from = nullptr;
};

class CommonControlsTest : public ::testing::Test {
 protected:
  // Answers a notification (nullopt: 0).
  using Answer = std::function<std::optional<LRESULT>(const NMHDR&)>;

  void SetUp() override {
    InitCommonControls();
    WNDCLASS host_class;
    host_class.lpszClassName = "CommonControlsHost";
    host_class.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    host_class.lpfnWndProc = [this](HWND hwnd, UINT message, WPARAM wparam,
                                    LPARAM lparam) -> LRESULT {
      switch (message) {
        case WM_NOTIFY:
          return Record(*reinterpret_cast<NMHDR*>(lparam), lparam);
        case WM_COMMAND:
          commands_.push_back(static_cast<int>(LOWORD(wparam)));
          return 0;
        case WM_HSCROLL:
        case WM_VSCROLL:
          scrolls_.push_back(
              {message, LOWORD(wparam), HIWORD(wparam), reinterpret_cast<HWND>(lparam)});
          return 0;
        default:
          return DefWindowProc(hwnd, message, wparam, lparam);
      }
    };
    RegisterClass(&host_class);
    // Below the task bar, where taps reach windows.
    host_ = CreateWindow("CommonControlsHost", "", WS_POPUP | WS_VISIBLE, 0, kHostTop, 240,
                         320 - kHostTop, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(host_, nullptr);
  }

  HWND Make(const char* class_name, DWORD style, RECT rect, int id = 100) {
    HWND hwnd =
        CreateWindow(class_name, "", WS_CHILD | WS_VISIBLE | style, rect.left, rect.top,
                     rect.right - rect.left, rect.bottom - rect.top, host_,
                     reinterpret_cast<HMENU>(static_cast<std::intptr_t>(id)), nullptr, nullptr);
    EXPECT_NE(hwnd, nullptr);
    return hwnd;
  }

  static void Pump() {
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessage(&msg);
    }
  }
  // Lets virtual time pass and handles what it brings (timers).
  static void Wait(DWORD milliseconds) {
    clock::Advance(milliseconds);
    Pump();
  }

  // The stylus at a point of a window's client area.
  static POINT OnScreen(HWND hwnd, POINT point) {
    ClientToScreen(hwnd, &point);
    return point;
  }
  static void Down(HWND hwnd, POINT point) {
    const POINT at = OnScreen(hwnd, point);
    input::StylusDown(at.x, at.y);
    Pump();
  }
  static void MoveTo(HWND hwnd, POINT point) {
    const POINT at = OnScreen(hwnd, point);
    input::StylusMove(at.x, at.y);
    Pump();
  }
  static void Up(HWND hwnd, POINT point) {
    const POINT at = OnScreen(hwnd, point);
    input::StylusUp(at.x, at.y);
    Pump();
  }
  static void Tap(HWND hwnd, POINT point) {
    Down(hwnd, point);
    Up(hwnd, point);
  }
  static void Drag(HWND hwnd, POINT from, POINT to) {
    Down(hwnd, from);
    MoveTo(hwnd, {(from.x + to.x) / 2, (from.y + to.y) / 2});
    MoveTo(hwnd, to);
    Up(hwnd, to);
  }
  static void Key(UINT key) {
    input::KeyDown(key);
    input::KeyUp(key);
    Pump();
  }
  static void Type(const std::string& text) {
    for (char c : text) input::Char(static_cast<wchar_t>(c));
    Pump();
  }

  // The codes received so far, in order, and the notices of one code.
  std::vector<UINT> Codes() const {
    std::vector<UINT> codes;
    for (const Notice& notice : notices_) codes.push_back(notice.code);
    return codes;
  }
  std::vector<Notice> NoticesOf(UINT code) const {
    std::vector<Notice> found;
    for (const Notice& notice : notices_) {
      if (notice.code == code) found.push_back(notice);
    }
    return found;
  }
  void Forget() {
    notices_.clear();
    commands_.clear();
    scrolls_.clear();
  }

  // The screen's colour at a point of a window's client area, and how a
  // colour looks on the screen (RGB565).
  static COLORREF ColourAt(HWND hwnd, POINT point);
  static COLORREF Shown(COLORREF colour);

  static constexpr int kHostTop = 26;
  TempHandheld device_;
  HWND host_ = nullptr;
  std::vector<Notice> notices_;
  std::vector<int> commands_;
  std::vector<Scroll> scrolls_;
  Answer answer_;

 private:
  LRESULT Record(const NMHDR& header, LPARAM lparam);
};

}  // namespace platform::testing
