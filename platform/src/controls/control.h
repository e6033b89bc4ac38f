// The base of every control, standard and common: one object per control
// window, made when the window is created and owned by the window's
// procedure, so it lives exactly as long as the window. Messages reach
// Handle() on the window's thread; what a control leaves goes to the
// common handling here and then to DefWindowProc.
//
// The window system drops the procedure while it holds its own lock: a
// control's destructor must not call the platform; it releases what it
// holds at WM_DESTROY.
#pragma once

#include <functional>
#include <memory>

#include "platform/common_controls/notify.h"
#include "platform/controls.h"
#include "platform/gdi.h"
#include "platform/window.h"
#include "platform/window_paint.h"

namespace platform::controls {

class Control {
 public:
  explicit Control(HWND hwnd) : hwnd_(hwnd) {}
  virtual ~Control() = default;
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  // Painting (with the control's font selected), the font, and redrawing
  // when the control is enabled or its text changes; the rest goes to
  // DefWindowProc.
  virtual LRESULT Handle(UINT message, WPARAM wparam, LPARAM lparam);

  HWND hwnd() const { return hwnd_; }

 protected:
  DWORD Style() const { return static_cast<DWORD>(GetWindowLong(hwnd_, GWL_STYLE)); }
  int Id() const { return GetDlgCtrlID(hwnd_); }
  // The window notifications and colour questions go to: the parent, or
  // the owner of a control made as a popup.
  HWND Parent() const { return GetParent(hwnd_); }
  RECT Client() const;
  bool Enabled() const { return IsWindowEnabled(hwnd_) != FALSE; }
  bool Focused() const { return GetFocus() == hwnd_; }
  HFONT Font() const { return font_; }

  // WM_COMMAND to the parent with the control's id and the code.
  void Notify(WORD code) const { Command(Id(), code); }
  // WM_COMMAND to the parent with `id` (a part of the control, such as a
  // toolbar button) and the code.
  void Command(int id, WORD code) const;
  // Fills the header (sender, id, code) and sends WM_NOTIFY to the parent;
  // the parent's answer.
  LRESULT Notify(NMHDR& header, UINT code) const;
  // Asks the parent for the colours (a WM_CTLCOLOR* message); the brush to
  // fill the background with. The text colour is left set in the context.
  HBRUSH AskColors(UINT message, HDC dc) const;
  void Redraw() const { InvalidateRect(hwnd_, nullptr, FALSE); }
  LRESULT Default(UINT message, WPARAM wparam, LPARAM lparam) const {
    return DefWindowProc(hwnd_, message, wparam, lparam);
  }
  // Hands a stylus message on to the parent at the same place, as if the
  // control were not there (labels and frames that take no taps).
  LRESULT PassStylusToParent(UINT message, WPARAM wparam, LPARAM lparam) const;

  // Draws the whole control; the context has the control's font selected.
  virtual void Paint(HDC dc) = 0;

 private:
  HWND hwnd_;
  HFONT font_ = nullptr;
};

using ControlFactory = std::function<std::shared_ptr<Control>(HWND, const CREATESTRUCT&)>;

// The procedure of a control class: WM_CREATE makes the control with the
// factory (no control fails the creation) and installs a procedure that
// holds it for the window's life.
WindowProcedure ControlClassProcedure(ControlFactory factory);

template <typename T>
std::shared_ptr<Control> MakeControl(HWND hwnd, const CREATESTRUCT& create) {
  return std::make_shared<T>(hwnd, create);
}

// A point packed in a stylus message's lParam.
inline POINT StylusPoint(LPARAM lparam) { return {GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)}; }

}  // namespace platform::controls
