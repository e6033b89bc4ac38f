#include "common_controls/control_window.h"

#include <algorithm>
#include <memory>

#include "platform/last_error.h"
#include "platform/window_paint.h"

namespace platform::common_controls {

LRESULT ControlWindow::Handle(UINT message, WPARAM wparam, LPARAM lparam) {
  if (auto result = OnMessage(message, wparam, lparam)) return *result;
  const POINT point{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)};
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
      break;
    case WM_TIMER:
      OnTimer(static_cast<UINT_PTR>(wparam));
      return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      OnFocus(message == WM_SETFOCUS);
      return 0;
    case WM_GETDLGCODE:
      return DialogCode();
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(hwnd_, &paint);
      OnPaint(dc);
      EndPaint(hwnd_, &paint);
      return 0;
    }
    case WM_ERASEBKGND:
      return 1;  // painting covers the whole control
    default:
      break;
  }
  return Default(message, wparam, lparam);
}

DWORD ControlWindow::Style() const { return static_cast<DWORD>(GetWindowLong(hwnd_, GWL_STYLE)); }

int ControlWindow::Id() const { return GetDlgCtrlID(hwnd_); }

LRESULT ControlWindow::Notify(NMHDR& header, UINT code) const {
  header.hwndFrom = hwnd_;
  header.idFrom = static_cast<UINT_PTR>(Id());
  header.code = code;
  HWND parent = GetParent(hwnd_);
  if (!parent) return 0;
  return SendMessage(parent, WM_NOTIFY, static_cast<WPARAM>(Id()),
                     reinterpret_cast<LPARAM>(&header));
}

void ControlWindow::Command(int id, WORD code) const {
  HWND parent = GetParent(hwnd_);
  if (!parent) return;
  SendMessage(parent, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), code),
              reinterpret_cast<LPARAM>(hwnd_));
}

void ControlWindow::Redraw() const { InvalidateRect(hwnd_, nullptr, TRUE); }

LRESULT ControlWindow::Default(UINT message, WPARAM wparam, LPARAM lparam) const {
  return DefWindowProc(hwnd_, message, wparam, lparam);
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

BOOL RegisterControlClass(std::string_view name, ControlFactory factory) {
  WNDCLASS existing;
  if (GetClassInfo(nullptr, name, &existing)) return TRUE;
  WNDCLASS control_class;
  control_class.style = CS_DBLCLKS;
  control_class.lpszClassName = std::string(name);
  control_class.lpfnWndProc = [factory](HWND hwnd, UINT message, WPARAM wparam,
                                        LPARAM lparam) -> LRESULT {
    if (message != WM_CREATE || lparam == 0) return DefWindowProc(hwnd, message, wparam, lparam);
    std::shared_ptr<ControlWindow> control =
        factory(hwnd, *reinterpret_cast<const CREATESTRUCT*>(lparam));
    SetWindowProcedure(hwnd, [control](HWND, UINT m, WPARAM w, LPARAM l) {
      // The procedure may be replaced while the control runs (destroying
      // the window); this reference keeps the control until it returns.
      std::shared_ptr<ControlWindow> self = control;
      return self->Handle(m, w, l);
    });
    return control->Handle(message, wparam, lparam);
  };
  if (RegisterClass(&control_class) != 0) return TRUE;
  return GetLastError() == ERROR_CLASS_ALREADY_EXISTS ? TRUE : FALSE;
}

}  // namespace platform::common_controls
