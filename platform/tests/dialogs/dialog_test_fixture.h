// Dialogs driven the way a person uses them: a modal dialog runs on the
// test's thread while a "person" thread taps and presses keys once the
// dialog waits for input. Simple control classes stand in for the system's
// own, so the dialog manager is tested on its own.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <span>
#include <string>

#include "platform/dialogs.h"
#include "platform/files.h"
#include "platform/gdi.h"
#include "platform/handheld.h"
#include "platform/input.h"
#include "platform/modules.h"
#include "platform/resources.h"
#include "platform/threads.h"
#include "platform/time.h"
#include "platform/window_paint.h"
#include "windows/window_test_fixture.h"

namespace platform::testing {

inline constexpr char kTestButton[] = "TestButton";
inline constexpr char kTestField[] = "TestField";
// A field with this style keeps Enter, Escape and Tab for itself.
inline constexpr DWORD kFieldWantsKeys = 0x1000;
inline constexpr DWORD kDefaultButtonStyle = 0x0001;

class DialogTest : public WindowTest {
 protected:
  DialogTest() {
    RegisterTestControls();
    RegisterRecordingClass("Frame");
    main_ = CreateWindow("Frame", "Camera", WS_VISIBLE, 0, 26, 240, 294, nullptr, nullptr, nullptr,
                         nullptr);
  }

  // Registers the module "\Windows\dlgtest.dll" with these resources and
  // loads it.
  HINSTANCE InstallModule(std::shared_ptr<ModuleResources> resources) {
    constexpr std::string_view kPath = "\\Windows\\dlgtest.dll";
    HMODULE module = device_.handheld().modules().Register(kPath, {{}, std::move(resources), {}});
    const std::string contents = "module";
    device_.handheld().files().InstallFile(kPath, std::as_bytes(std::span(contents)));
    return LoadLibrary(kPath) == module ? module : nullptr;
  }

  // Shows the dialog on this thread while `person` acts on another one,
  // starting once the dialog waits for input; returns what `show` returns.
  template <typename Show>
  auto ShowWhile(Show show, std::function<void()> person) {
    ThreadHandle thread = CreateThread([person]() -> DWORD {
      Sleep(100);
      person();
      return 0;
    });
    auto result = show();
    WaitForSingleObject(*thread, INFINITE);
    return result;
  }

  static POINT CentreOf(HWND hwnd) {
    RECT rect;
    GetWindowRect(hwnd, &rect);
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
  }
  // A tap in the middle of a window, then time for the dialog to react.
  static void Tap(HWND hwnd) { TapAt(CentreOf(hwnd)); }
  static void TapAt(POINT point) {
    input::StylusDown(point.x, point.y);
    input::StylusUp(point.x, point.y);
    Sleep(20);
  }
  static void Press(UINT key) {
    input::KeyDown(key);
    input::KeyUp(key);
    Sleep(20);
  }

  static DialogItemTemplate Item(const char* window_class, const char* text, UINT id, int x, int y,
                                 int cx, int cy, DWORD style = WS_VISIBLE | WS_TABSTOP) {
    DialogItemTemplate item;
    item.window_class = window_class;
    item.text = text;
    item.id = id;
    item.style = style | WS_CHILD;
    item.x = x;
    item.y = y;
    item.cx = cx;
    item.cy = cy;
    return item;
  }

  // A 160 x 100 dialog (units) with a field 100 and OK and Cancel buttons.
  static DialogTemplate OkCancelTemplate() {
    DialogTemplate dialog;
    dialog.caption = "Settings";
    dialog.style = WS_POPUP | WS_CAPTION;
    dialog.cx = 160;
    dialog.cy = 100;
    dialog.items = {Item(kTestField, "snap", 100, 10, 10, 100, 12),
                    Item(kTestButton, "OK", IDOK, 10, 70, 50, 14),
                    Item(kTestButton, "Cancel", IDCANCEL, 70, 70, 50, 14)};
    return dialog;
  }

  HWND main_ = nullptr;

 private:
  static LRESULT ButtonProcedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
      case WM_LBUTTONUP:
        SendMessage(GetParent(hwnd), WM_COMMAND,
                    MAKEWPARAM(static_cast<WORD>(GetDlgCtrlID(hwnd)), BN_CLICKED),
                    reinterpret_cast<LPARAM>(hwnd));
        return 0;
      case 0x00F0:  // the check mark
        return GetWindowLong(hwnd, GWL_USERDATA);
      case 0x00F1:
        SetWindowLong(hwnd, GWL_USERDATA, static_cast<LONG_PTR>(wparam));
        return 0;
      case 0x00F4:  // the style, as the default button changes
        SetWindowLong(
            hwnd, GWL_STYLE,
            (GetWindowLong(hwnd, GWL_STYLE) & ~LONG_PTR{0xF}) | static_cast<LONG_PTR>(wparam));
        return 0;
      case WM_GETDLGCODE:
        return DLGC_BUTTON | ((GetWindowLong(hwnd, GWL_STYLE) & 0xF) == kDefaultButtonStyle
                                  ? DLGC_DEFPUSHBUTTON
                                  : DLGC_UNDEFPUSHBUTTON);
      default:
        return DefWindowProc(hwnd, message, wparam, lparam);
    }
  }

  static LRESULT FieldProcedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
      case WM_LBUTTONDOWN:
        SetFocus(hwnd);
        return 0;
      case WM_CHAR:
        SetWindowText(hwnd, GetWindowText(hwnd) + static_cast<char>(wparam));
        return 0;
      case WM_GETDLGCODE:
        return DLGC_WANTCHARS |
               ((GetWindowLong(hwnd, GWL_STYLE) & kFieldWantsKeys) ? DLGC_WANTALLKEYS : 0);
      default:
        return DefWindowProc(hwnd, message, wparam, lparam);
    }
  }

  static void RegisterTestControls() {
    WNDCLASS button;
    button.lpszClassName = kTestButton;
    button.lpfnWndProc = ButtonProcedure;
    ASSERT_NE(RegisterClass(&button), 0);
    WNDCLASS field;
    field.lpszClassName = kTestField;
    field.lpfnWndProc = FieldProcedure;
    ASSERT_NE(RegisterClass(&field), 0);
  }
};

}  // namespace platform::testing
