// The shared base of the common controls: each control window owns one
// ControlWindow object, made when the window is created and kept alive by
// the window's procedure, so it goes when the window goes. The window system
// drops the procedure while it holds its own lock: a control's destructor
// must not call the platform; it releases what it holds at WM_DESTROY.
#pragma once

#include <memory>
#include <optional>
#include <string_view>

#include "platform/common_controls/notify.h"
#include "platform/window.h"

namespace platform::common_controls {

class ControlWindow {
 public:
  explicit ControlWindow(HWND hwnd) : hwnd_(hwnd) {}
  virtual ~ControlWindow() = default;
  ControlWindow(const ControlWindow&) = delete;
  ControlWindow& operator=(const ControlWindow&) = delete;

  // Every message of the window: the control's own messages first, then
  // the stylus, keys, timers, focus and painting through the hooks below;
  // the rest goes to DefWindowProc.
  LRESULT Handle(UINT message, WPARAM wparam, LPARAM lparam);

  HWND hwnd() const { return hwnd_; }

 protected:
  // The control's own messages; nullopt for the ones it leaves.
  virtual std::optional<LRESULT> OnMessage(UINT message, WPARAM wparam, LPARAM lparam) = 0;
  // Stylus points are in client coordinates.
  virtual void OnStylusDown(POINT) {}
  virtual void OnStylusMove(POINT) {}
  virtual void OnStylusUp(POINT) {}
  // True when the control used the key.
  virtual bool OnKeyDown(UINT) { return false; }
  virtual void OnTimer(UINT_PTR) {}
  virtual void OnFocus(bool) {}
  // Paints the whole client area (the base clips it to what is invalid).
  virtual void OnPaint(HDC dc) = 0;
  // WM_GETDLGCODE's answer: 1 asks for the arrow keys.
  virtual LRESULT DialogCode() const { return 0; }

  DWORD Style() const;
  int Id() const;
  // Fills the header (sender, id, code) and sends WM_NOTIFY to the parent;
  // the parent's answer.
  LRESULT Notify(NMHDR& header, UINT code) const;
  // WM_COMMAND with the id in the low word and the code in the high word.
  void Command(int id, WORD code) const;
  void Redraw() const;
  LRESULT Default(UINT message, WPARAM wparam, LPARAM lparam) const;

 private:
  HWND hwnd_;
};

// Copies a text into a caller's buffer of `size` bytes, cut to fit and
// NUL-terminated (cut at a whole UTF-8 character); the bytes copied.
int CopyText(std::string_view text, char* buffer, int size);

// The class procedure makes the control at WM_CREATE and hands the window
// over to it.
using ControlFactory = std::unique_ptr<ControlWindow> (*)(HWND hwnd, const CREATESTRUCT& create);
// Registers the class once per handheld; TRUE when it exists afterwards.
BOOL RegisterControlClass(std::string_view name, ControlFactory factory);

template <typename T>
std::unique_ptr<ControlWindow> MakeControl(HWND hwnd, const CREATESTRUCT& create) {
  return std::make_unique<T>(hwnd, create);
}

}  // namespace platform::common_controls
