// The sending dialog's layout and behaviour that do not need its window:
// where it puts its controls when it starts, its status font, and the
// clicks that reveal the hidden log.
#pragma once

#include "platform/types.h"

namespace obex::dialog {

struct Placement {
  int x, y, width, height;
};

inline constexpr Placement kStatusPlacement = {55, 20, 180, 55};  // control 1001
inline constexpr Placement kLogPlacement = {5, 85, 230, 195};     // control 1000
inline constexpr int kStatusFontHeight = 14;
inline constexpr int kStatusFontWeight = 400;
inline constexpr int kLogHorizontalExtent = 2000;
// Commands that close the dialog (OK, Cancel).
inline constexpr platform::UINT kCommandOk = 1;
inline constexpr platform::UINT kCommandCancel = 2;

// Counts clicks on control 1004; the third shows the log.
class HiddenLogSwitch {
 public:
  // True exactly on the click that should show the log.
  bool Click() { return ++clicks_ == kClicksToShow; }

 private:
  static constexpr int kClicksToShow = 3;
  int clicks_ = 0;
};

}  // namespace obex::dialog
