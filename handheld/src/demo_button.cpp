#include "demo_button.h"

#include <memory>

#include "platform/last_error.h"
#include "platform/window_paint.h"

namespace handheld {

using namespace platform;

namespace {

struct ButtonState {
  bool pressed = false;
  bool held = false;  // the stylus went down on the button
};

void PaintButton(HWND hwnd, const ButtonState& state) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(hwnd, &paint);
  RECT face;
  GetClientRect(hwnd, &face);
  FillRect(dc, &face, GetSysColorBrush(state.pressed ? COLOR_BTNSHADOW : COLOR_BTNFACE));
  FrameRect(dc, &face, GetSysColorBrush(COLOR_WINDOWFRAME));
  // A light upper-left and dark lower-right edge make it look raised.
  RECT inner = face;
  InflateRect(&inner, -1, -1);
  HPEN light = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNHIGHLIGHT));
  HPEN dark = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW));
  HGDIOBJ old_pen = SelectObject(dc, state.pressed ? dark : light);
  const POINT upper[] = {
      {inner.left, inner.bottom - 1}, {inner.left, inner.top}, {inner.right - 1, inner.top}};
  Polyline(dc, upper, 3);
  SelectObject(dc, state.pressed ? light : dark);
  const POINT lower[] = {{inner.left, inner.bottom - 1},
                         {inner.right - 1, inner.bottom - 1},
                         {inner.right - 1, inner.top - 1}};
  Polyline(dc, lower, 3);
  SelectObject(dc, old_pen);
  DeleteObject(light);
  DeleteObject(dark);

  LOGFONT description;
  description.lfHeight = -13;
  description.lfWeight = FW_BOLD;
  description.lfFaceName = "Tahoma";
  HFONT font = CreateFontIndirect(&description);
  HGDIOBJ old_font = SelectObject(dc, font);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
  if (state.pressed) OffsetRect(&face, 1, 1);
  DrawText(dc, GetWindowText(hwnd), &face, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  SelectObject(dc, old_font);
  DeleteObject(font);
  EndPaint(hwnd, &paint);
}

bool Inside(HWND hwnd, LPARAM lparam) {
  RECT client;
  GetClientRect(hwnd, &client);
  return PtInRect(&client, POINT{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)}) != FALSE;
}

LRESULT ButtonProcedure(const std::shared_ptr<ButtonState>& state, HWND hwnd, UINT message,
                        WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_PAINT:
      PaintButton(hwnd, *state);
      return 0;
    case WM_LBUTTONDOWN:
      state->held = true;
      state->pressed = true;
      SetCapture(hwnd);
      InvalidateRect(hwnd, nullptr, FALSE);
      return 0;
    case WM_MOUSEMOVE:
      if (state->held && state->pressed != Inside(hwnd, lparam)) {
        state->pressed = !state->pressed;
        InvalidateRect(hwnd, nullptr, FALSE);
      }
      return 0;
    case WM_LBUTTONUP: {
      if (!state->held) return 0;
      const bool clicked = Inside(hwnd, lparam);
      state->held = false;
      state->pressed = false;
      ReleaseCapture();
      InvalidateRect(hwnd, nullptr, FALSE);
      if (clicked) {
        SendMessage(GetParent(hwnd), WM_COMMAND,
                    MAKEWPARAM(static_cast<WORD>(GetDlgCtrlID(hwnd)), kButtonClicked),
                    reinterpret_cast<LPARAM>(hwnd));
      }
      return 0;
    }
    default:
      return DefWindowProc(hwnd, message, wparam, lparam);
  }
}

}  // namespace

bool RegisterDemoButton(HINSTANCE instance) {
  WNDCLASS button_class;
  button_class.hInstance = instance;
  button_class.lpszClassName = kDemoButtonClass;
  // Each button gets its own state when it is created.
  button_class.lpfnWndProc = [](HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) -> LRESULT {
    if (message == WM_CREATE) {
      auto state = std::make_shared<ButtonState>();
      SetWindowProcedure(hwnd, [state](HWND w, UINT m, WPARAM wp, LPARAM lp) {
        return ButtonProcedure(state, w, m, wp, lp);
      });
      return 0;
    }
    return DefWindowProc(hwnd, message, wparam, lparam);
  };
  return RegisterClass(&button_class) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

}  // namespace handheld
