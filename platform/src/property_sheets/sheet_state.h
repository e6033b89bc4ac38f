// What a property sheet keeps while it runs: the caller's pages, their
// titles and windows (made when first shown) and the page on top.
#pragma once

#include <string>
#include <vector>

#include "platform/property_sheet.h"

namespace platform::property_sheets {

struct SheetState {
  PROPSHEETHEADER header;
  std::vector<PROPSHEETPAGE> pages;
  std::vector<std::string> titles;
  std::vector<HWND> windows;  // null until a page is first shown
  int current = -1;
  HWND sheet = nullptr;
  bool modeless = false;
};

// Where the pages go in the sheet's client area: all of it above the tabs.
RECT PageArea(HWND sheet);
// The tabs along the bottom of the client area, one per page.
std::vector<RECT> TabRects(const SheetState& state);
void PaintTabs(HWND sheet, const SheetState& state);

}  // namespace platform::property_sheets
