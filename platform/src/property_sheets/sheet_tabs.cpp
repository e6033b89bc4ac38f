// The tab row along the bottom of a property sheet.
#include "menus/menu_drawing.h"
#include "platform/window_paint.h"
#include "property_sheets/sheet_state.h"

namespace platform::property_sheets {

namespace {

constexpr int kTabPadding = 12;
constexpr COLORREF kInactiveTabColor = RGB(208, 208, 208);
constexpr COLORREF kTabLineColor = RGB(0, 0, 0);

}  // namespace

RECT PageArea(HWND sheet) {
  RECT client;
  GetClientRect(sheet, &client);
  client.bottom = std::max(client.top, client.bottom - kPropertySheetTabHeight);
  return client;
}

std::vector<RECT> TabRects(const SheetState& state) {
  const RECT area = PageArea(state.sheet);
  std::vector<RECT> tabs;
  int left = 0;
  for (const std::string& title : state.titles) {
    const int width = menus::LabelWidth(title) + kTabPadding;
    tabs.push_back(RECT{left, area.bottom, left + width, area.bottom + kPropertySheetTabHeight});
    left += width;
  }
  return tabs;
}

void PaintTabs(HWND sheet, const SheetState& state) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(sheet, &paint);
  const RECT area = PageArea(sheet);
  RECT client;
  GetClientRect(sheet, &client);
  menus::FillWith(dc, RECT{0, area.bottom, client.right, client.bottom}, menus::kBarColor);
  menus::FillWith(dc, RECT{0, area.bottom, client.right, area.bottom + 1}, kTabLineColor);
  menus::MenuFont font(dc);
  const std::vector<RECT> tabs = TabRects(state);
  for (std::size_t index = 0; index < tabs.size(); ++index) {
    const RECT& tab = tabs[index];
    const bool on_top = static_cast<int>(index) == state.current;
    // The page on top joins its tab: no line between them.
    menus::FillWith(dc, RECT{tab.left, tab.top + (on_top ? 0 : 1), tab.right, tab.bottom - 2},
                    on_top ? menus::kMenuColor : kInactiveTabColor);
    menus::FillWith(dc, RECT{tab.right - 1, tab.top, tab.right, tab.bottom - 2}, kTabLineColor);
    menus::FillWith(dc, RECT{tab.left, tab.bottom - 3, tab.right, tab.bottom - 2}, kTabLineColor);
    menus::DrawLabel(dc, state.titles[index], tab, menus::kMenuTextColor, DT_CENTER);
  }
  EndPaint(sheet, &paint);
}

}  // namespace platform::property_sheets
