// Editing a label in place: an edit box over the label ("EDIT" when that
// class exists, else the inline edit box) that ends with Enter or when it
// loses the focus, and is cancelled with Escape.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "platform/gdi_types.h"
#include "platform/window.h"

namespace platform::common_controls {

class LabelEditor {
 public:
  // Called once when the person ends the edit (cancelled: Escape).
  using Finish = std::function<void(bool cancelled)>;

  // Opens the box over `rect` of `owner` with the text selected and gives
  // it the focus; the box's handle, null when it could not be made.
  HWND Open(HWND owner, const RECT& rect, const std::string& text, Finish finish);
  // Destroys the box without calling Finish.
  void Close();
  HWND hwnd() const { return hwnd_; }
  bool open() const { return hwnd_ != nullptr; }
  std::string Text() const;

 private:
  HWND hwnd_ = nullptr;
  // Shared with the box's procedure, which calls it only while it is set.
  std::shared_ptr<Finish> finish_;
};

}  // namespace platform::common_controls
