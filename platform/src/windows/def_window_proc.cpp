// What a window does with the messages its procedure leaves alone.
#include <algorithm>
#include <cstring>

#include "platform/gdi.h"
#include "platform/window_paint.h"
#include "windows/activation.h"
#include "windows/window_manager.h"

namespace platform {

using windows::Window;
using windows::WindowManager;

namespace {

// Class brushes may also be given as a system colour index + 1.
HBRUSH ClassBrush(HBRUSH brush) {
  const auto value = reinterpret_cast<std::uintptr_t>(brush);
  if (value > 0 && value <= COLOR_STATICTEXT + 1) {
    return GetSysColorBrush(static_cast<int>(value) - 1);
  }
  return brush;
}

LRESULT EraseBackground(HWND hwnd, HDC dc) {
  HBRUSH brush = nullptr;
  {
    WindowManager& manager = WindowManager::Get();
    auto lock = manager.kernel().Acquire();
    const Window* window = manager.Find(lock, hwnd);
    if (!window) return 0;
    brush = ClassBrush(window->window_class->info.hbrBackground);
  }
  if (!brush) return 0;
  RECT client;
  GetClientRect(hwnd, &client);
  FillRect(dc, &client, brush);
  return 1;
}

LRESULT SetText(HWND hwnd, const char* text) {
  WindowManager& manager = WindowManager::Get();
  auto lock = manager.kernel().Acquire();
  Window* window = manager.Find(lock, hwnd);
  if (!window) return FALSE;
  window->text = text ? text : "";
  ++manager.change_count;  // the task bar shows the active window's text
  return TRUE;
}

LRESULT GetText(HWND hwnd, WPARAM size, char* buffer) {
  if (!buffer || size == 0) return 0;
  WindowManager& manager = WindowManager::Get();
  auto lock = manager.kernel().Acquire();
  const Window* window = manager.Find(lock, hwnd);
  if (!window) {
    buffer[0] = '\0';
    return 0;
  }
  const std::size_t length = std::min<std::size_t>(window->text.size(), size - 1);
  std::memcpy(buffer, window->text.data(), length);
  buffer[length] = '\0';
  return static_cast<LRESULT>(length);
}

LRESULT TextLength(HWND hwnd) {
  WindowManager& manager = WindowManager::Get();
  auto lock = manager.kernel().Acquire();
  const Window* window = manager.Find(lock, hwnd);
  return window ? static_cast<LRESULT>(window->text.size()) : 0;
}

// Whether the focus is in the window or one of its descendants.
bool FocusInside(HWND hwnd) {
  HWND focus = GetFocus();
  return focus && (focus == hwnd || IsChild(hwnd, focus));
}

LRESULT ValidateAll(HWND hwnd) {
  PAINTSTRUCT paint;
  BeginPaint(hwnd, &paint);
  EndPaint(hwnd, &paint);
  return 0;
}

LRESULT Activate(HWND hwnd, WPARAM state) {
  if (LOWORD(state) != WA_INACTIVE && !FocusInside(hwnd)) SetFocus(hwnd);
  return 0;
}

// Help goes up to the parent, or the owner of a top-level window.
LRESULT PassHelpUp(HWND hwnd, WPARAM wparam, LPARAM lparam) {
  HWND up = GetParent(hwnd);
  return up ? SendMessage(up, WM_HELP, wparam, lparam) : 0;
}

// Controls draw in the window colours unless their parent says otherwise.
LRESULT ControlColours(HDC dc) {
  SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
  SetBkColor(dc, GetSysColor(COLOR_WINDOW));
  return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
}

}  // namespace

LRESULT DefWindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_CLOSE:
      DestroyWindow(hwnd);
      return 0;
    case WM_PAINT:
      return ValidateAll(hwnd);
    case WM_ERASEBKGND:
      return EraseBackground(hwnd, reinterpret_cast<HDC>(wparam));
    case WM_SETTEXT:
      return SetText(hwnd, reinterpret_cast<const char*>(lparam));
    case WM_GETTEXT:
      return GetText(hwnd, wparam, reinterpret_cast<char*>(lparam));
    case WM_GETTEXTLENGTH:
      return TextLength(hwnd);
    case WM_ACTIVATE:
      return Activate(hwnd, wparam);
    case WM_HELP:
      return PassHelpUp(hwnd, wparam, lparam);
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
      return ControlColours(reinterpret_cast<HDC>(wparam));
    case windows::kTapActivateMessage:
      SetActiveWindow(hwnd);
      return 0;
    default:
      return 0;
  }
}

}  // namespace platform
