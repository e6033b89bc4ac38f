// The numbers of windows' own scroll bars (SB_VERT, SB_HORZ), per handheld.
// Any thread may set or read them, so they are kept under a lock of their
// own; the window that shows a bar reads them when it draws.
#pragma once

#include <map>
#include <mutex>
#include <utility>

#include "controls/scroll_model.h"
#include "platform/handheld.h"
#include "platform/window.h"

namespace platform::controls {

class ScrollInfoStore : public HandheldService {
 public:
  explicit ScrollInfoStore(Handheld&) {}
  static ScrollInfoStore& Get();

  // Returns the position afterwards.
  int Set(HWND hwnd, int bar, const SCROLLINFO& info);
  // The bar's numbers: the defaults (0 to 100) until set.
  ScrollModel Model(HWND hwnd, int bar) const;
  bool Known(HWND hwnd, int bar) const;
  void SetTrackPosition(HWND hwnd, int bar, int position);
  void Forget(HWND hwnd);

 private:
  void ForgetDestroyedWindows();

  mutable std::mutex mutex_;
  std::map<std::pair<HWND, int>, ScrollModel> bars_;
};

}  // namespace platform::controls
