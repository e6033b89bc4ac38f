#include "common_controls/event_control.h"

#include <algorithm>
#include <memory>

#include "platform/last_error.h"

namespace platform::common_controls {

LRESULT EventControl::Handle(UINT message, WPARAM wparam, LPARAM lparam) {
  if (auto result = OnMessage(message, wparam, lparam)) return *result;
  const POINT point = controls::StylusPoint(lparam);
  switch (message) {
    case WM_LBUTTONDOWN:
      OnStylusDown(point);
      return 0;
    case WM_MOUSEMOVE:
      OnStylusMove(point);
      return 0;
    case WM_LBUTTONUP:
      OnStylusUp(point);
      return 0;
    case WM_KEYDOWN:
      if (OnKeyDown(static_cast<UINT>(wparam))) return 0;
      return Default(message, wparam, lparam);
    case WM_TIMER:
      OnTimer(static_cast<UINT_PTR>(wparam));
      return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      OnFocus(message == WM_SETFOCUS);
      return 0;
    case WM_GETDLGCODE:
      return DialogCode();
    default:
      return Control::Handle(message, wparam, lparam);
  }
}

int CopyText(std::string_view text, char* buffer, int size) {
  if (!buffer || size <= 0) return 0;
  std::size_t length = std::min(text.size(), static_cast<std::size_t>(size - 1));
  // Never end inside a character: step back over continuation bytes.
  if (length < text.size()) {
    while (length > 0 && (static_cast<unsigned char>(text[length]) & 0xC0) == 0x80) --length;
  }
  std::copy_n(text.data(), length, buffer);
  buffer[length] = '\0';
  return static_cast<int>(length);
}

BOOL RegisterControlClass(std::string_view name, controls::ControlFactory factory) {
  WNDCLASS existing;
  if (GetClassInfo(nullptr, name, &existing)) return TRUE;
  WNDCLASS control_class;
  control_class.style = CS_DBLCLKS;
  control_class.lpszClassName = std::string(name);
  control_class.lpfnWndProc = controls::ControlClassProcedure(std::move(factory));
  if (RegisterClass(&control_class) != 0) return TRUE;
  return GetLastError() == ERROR_CLASS_ALREADY_EXISTS ? TRUE : FALSE;
}

}  // namespace platform::common_controls
