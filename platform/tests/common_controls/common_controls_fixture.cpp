#include "common_controls_fixture.h"

#include "platform/gdi_surface.h"
#include "platform/screen.h"

namespace platform::testing {

COLORREF CommonControlsTest::ColourAt(HWND hwnd, POINT point) {
  const POINT at = OnScreen(hwnd, point);
  return screen::Compose().GetPixel(at.x, at.y);
}

COLORREF CommonControlsTest::Shown(COLORREF colour) {
  return gdi::Surface::FromRgb565(gdi::Surface::ToRgb565(colour));
}

LRESULT CommonControlsTest::Record(const NMHDR& header, LPARAM lparam) {
  Notice notice;
  notice.from = header.hwndFrom;
  notice.code = header.code;
  const std::string sender = GetClassName(header.hwndFrom);
  if (header.code == NM_RECOGNIZEGESTURE || header.code == GN_CONTEXTMENU) {
    notice.gesture = *reinterpret_cast<const NMRGINFO*>(lparam);
  } else if (sender == WC_LISTVIEW) {
    // Only these carry a list view record; the others are a bare header
    // (or, for a key, a smaller record).
    const bool list_record =
        header.code == NM_CLICK || header.code == NM_DBLCLK ||
        (header.code <= LVN_FIRST && header.code >= LVN_LAST && header.code != LVN_KEYDOWN);
    if (list_record) notice.list = *reinterpret_cast<const NMLISTVIEW*>(lparam);
  } else if (sender == WC_TREEVIEW) {
    if (header.code == TVN_BEGINLABELEDIT || header.code == TVN_ENDLABELEDIT ||
        header.code == TVN_GETDISPINFO) {
      notice.display = reinterpret_cast<const NMTVDISPINFO*>(lparam)->item;
      if (notice.display.pszText) notice.text = notice.display.pszText;
    } else if (header.code <= TVN_FIRST && header.code >= TVN_LAST && header.code != TVN_KEYDOWN) {
      notice.tree = *reinterpret_cast<const NMTREEVIEW*>(lparam);
    }
  }
  notices_.push_back(notice);
  if (answer_) {
    if (auto result = answer_(header)) return *result;
  }
  return 0;
}

}  // namespace platform::testing
