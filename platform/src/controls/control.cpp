#include "controls/control.h"

#include "controls/drawing.h"
#include "platform/window_paint.h"

namespace platform::controls {

LRESULT Control::Handle(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(hwnd_, &paint);
      if (dc) {
        ScopedSelect font(dc, ControlFont(font_));
        Paint(dc);
      }
      EndPaint(hwnd_, &paint);
      return 0;
    }
    case WM_ERASEBKGND:
      return 1;  // Paint covers the whole control
    case WM_SETFONT:
      font_ = reinterpret_cast<HFONT>(wparam);
      if (lparam) Redraw();
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(font_);
    case WM_ENABLE:
      Redraw();
      return 0;
    case WM_SETTEXT: {
      const LRESULT result = DefWindowProc(hwnd_, message, wparam, lparam);
      Redraw();
      return result;
    }
    default:
      return Default(message, wparam, lparam);
  }
}

RECT Control::Client() const {
  RECT client;
  GetClientRect(hwnd_, &client);
  return client;
}

void Control::Command(int id, WORD code) const {
  HWND parent = Parent();
  if (!parent) return;
  SendMessage(parent, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), code),
              reinterpret_cast<LPARAM>(hwnd_));
}

LRESULT Control::Notify(NMHDR& header, UINT code) const {
  header.hwndFrom = hwnd_;
  header.idFrom = static_cast<UINT_PTR>(Id());
  header.code = code;
  HWND parent = Parent();
  if (!parent) return 0;
  return SendMessage(parent, WM_NOTIFY, static_cast<WPARAM>(Id()),
                     reinterpret_cast<LPARAM>(&header));
}

HBRUSH Control::AskColors(UINT message, HDC dc) const {
  HWND parent = Parent();
  const LRESULT answer = parent ? SendMessage(parent, message, reinterpret_cast<WPARAM>(dc),
                                              reinterpret_cast<LPARAM>(hwnd_))
                                : 0;
  if (answer) return reinterpret_cast<HBRUSH>(answer);
  // No parent or no answer: the platform's own colours.
  return reinterpret_cast<HBRUSH>(
      DefWindowProc(hwnd_, message, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(hwnd_)));
}

LRESULT Control::PassStylusToParent(UINT message, WPARAM wparam, LPARAM lparam) const {
  HWND parent = Parent();
  if (!parent) return 0;
  POINT point = StylusPoint(lparam);
  MapWindowPoints(hwnd_, parent, &point, 1);
  return SendMessage(parent, message, wparam,
                     MAKELPARAM(static_cast<WORD>(point.x), static_cast<WORD>(point.y)));
}

WindowProcedure ControlClassProcedure(ControlFactory factory) {
  return [factory](HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) -> LRESULT {
    if (message != WM_CREATE || !lparam) return DefWindowProc(hwnd, message, wparam, lparam);
    std::shared_ptr<Control> control = factory(hwnd, *reinterpret_cast<CREATESTRUCT*>(lparam));
    if (!control) return -1;
    SetWindowProcedure(hwnd, [control](HWND, UINT m, WPARAM w, LPARAM l) {
      // The procedure may be replaced while the control runs (destroying
      // the window); this reference keeps the control until it returns.
      std::shared_ptr<Control> self = control;
      return self->Handle(m, w, l);
    });
    return control->Handle(message, wparam, lparam);
  };
}

}  // namespace platform::controls
