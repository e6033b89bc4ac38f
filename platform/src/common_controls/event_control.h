// A control that takes its input through one method per event: the
// control's own messages first (OnMessage), then the stylus, keys, timers
// and focus. Painting, fonts and the rest are the base Control's. The
// common controls (list view, tree view, toolbar, trackbar) are made this
// way.
#pragma once

#include <optional>
#include <string_view>

#include "controls/control.h"
#include "platform/common_controls/notify.h"
#include "platform/window.h"

namespace platform::common_controls {

using controls::MakeControl;

class EventControl : public controls::Control {
 public:
  using Control::Control;

  LRESULT Handle(UINT message, WPARAM wparam, LPARAM lparam) final;

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
  // WM_GETDLGCODE's answer: 1 asks for the arrow keys.
  virtual LRESULT DialogCode() const { return 0; }
};

// Copies a text into a caller's buffer of `size` bytes, cut to fit and
// NUL-terminated (cut at a whole UTF-8 character); the bytes copied.
int CopyText(std::string_view text, char* buffer, int size);

// Registers the class once per handheld; TRUE when it exists afterwards.
BOOL RegisterControlClass(std::string_view name, controls::ControlFactory factory);

}  // namespace platform::common_controls
