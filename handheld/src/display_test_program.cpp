#include "display_test_program.h"

#include <algorithm>
#include <cstdlib>
#include <iterator>
#include <optional>
#include <string>

#include "platform/external_display.h"
#include "platform/gdi.h"
#include "platform/message_box.h"
#include "platform/paths.h"
#include "platform/registry.h"
#include "platform/time.h"

namespace handheld {

namespace {

constexpr platform::DWORD kRedrawMs = 250;

// The eight bars of a test card, left to right.
constexpr platform::COLORREF kBars[] = {platform::RGB(255, 255, 255), platform::RGB(255, 255, 0),
                                        platform::RGB(0, 255, 255),   platform::RGB(0, 255, 0),
                                        platform::RGB(255, 0, 255),   platform::RGB(255, 0, 0),
                                        platform::RGB(0, 0, 255),     platform::RGB(0, 0, 0)};

// The driver of the first active display that is the external one.
std::optional<std::string> FindExternalDisplay() {
  platform::RegKey active;
  if (platform::RegOpenKeyEx(platform::HKEY_LOCAL_MACHINE, platform::kActiveDisplaysKey,
                             active.put()) != 0) {
    return std::nullopt;
  }
  std::string name;
  for (platform::DWORD index = 0; platform::RegEnumKeyEx(active.get(), index, &name) == 0;
       ++index) {
    platform::RegKey display;
    if (platform::RegOpenKeyEx(active.get(), name, display.put()) != 0) continue;
    char dll[64] = {};
    platform::DWORD size = sizeof dll - 1;
    platform::DWORD type = 0;
    if (platform::RegQueryValueEx(display.get(), "Dll", &type, dll, &size) == 0 &&
        type == platform::REG_SZ &&
        platform::EqualsIgnoreCase(dll, platform::kExternalDisplayDriver)) {
      return std::string(dll);
    }
  }
  return std::nullopt;
}

class TestCard {
 public:
  ~TestCard() { Close(); }

  bool Open() {
    Close();
    const std::optional<std::string> driver = FindExternalDisplay();
    if (!driver) return false;
    display_ = platform::CreateDC(*driver);
    return display_ != nullptr;
  }

  void Close() {
    if (display_) platform::DeleteDC(display_);
    display_ = nullptr;
  }

  // Draws the card in memory and copies it to the display; false when the
  // display has been lost.
  bool Draw() {
    const int width = platform::GetDeviceCaps(display_, platform::HORZRES);
    const int height = platform::GetDeviceCaps(display_, platform::VERTRES);
    const int bits = platform::GetDeviceCaps(display_, platform::BITSPIXEL);
    const platform::HDC memory = platform::CreateCompatibleDC(display_);
    if (!memory) return false;
    const platform::HBITMAP bitmap = platform::CreateCompatibleBitmap(display_, width, height);
    const platform::HGDIOBJ old_bitmap = platform::SelectObject(memory, bitmap);
    const int bar_count = static_cast<int>(std::size(kBars));
    for (int i = 0; i < bar_count; ++i) {
      const platform::RECT bar{i * width / bar_count, 0, (i + 1) * width / bar_count, height};
      const platform::HBRUSH brush = platform::CreateSolidBrush(kBars[i]);
      platform::FillRect(memory, &bar, brush);
      platform::DeleteObject(brush);
    }
    DrawLabel(memory, width, height,
              std::to_string(width) + " x " + std::to_string(height) + ", " + std::to_string(bits) +
                  " bits");
    const bool copied =
        platform::BitBlt(display_, 0, 0, width, height, memory, 0, 0, platform::SRCCOPY);
    platform::SelectObject(memory, old_bitmap);
    platform::DeleteObject(bitmap);
    platform::DeleteDC(memory);
    return copied;
  }

 private:
  static void DrawLabel(platform::HDC dc, int width, int height, const std::string& text) {
    platform::LOGFONT face;
    face.lfHeight = -std::max(12, height / 16);
    face.lfWeight = platform::FW_BOLD;
    face.lfFaceName = "Tahoma";
    const platform::HFONT font = platform::CreateFontIndirect(&face);
    const platform::HGDIOBJ old_font = platform::SelectObject(dc, font);
    platform::RECT band{0, height * 2 / 5, width, height * 3 / 5};
    const platform::HBRUSH black = platform::CreateSolidBrush(platform::RGB(0, 0, 0));
    platform::FillRect(dc, &band, black);
    platform::DeleteObject(black);
    platform::SetTextColor(dc, platform::RGB(255, 255, 255));
    platform::SetBkMode(dc, platform::TRANSPARENT);
    platform::DrawText(dc, text, &band,
                       platform::DT_CENTER | platform::DT_VCENTER | platform::DT_SINGLELINE);
    platform::SelectObject(dc, old_font);
    platform::DeleteObject(font);
  }

  platform::HDC display_ = nullptr;
};

}  // namespace

int DisplayTestMain(platform::HINSTANCE, const std::string& command_line) {
  const platform::DWORD run_ms =
      static_cast<platform::DWORD>(std::strtoul(command_line.c_str(), nullptr, 10));
  TestCard card;
  if (!card.Open() || !card.Draw()) {
    platform::MessageBox(nullptr, "No external display was found.", "Display Test",
                         platform::MB_OK | platform::MB_ICONERROR);
    return 1;
  }
  for (platform::DWORD waited = 0; waited < run_ms; waited += kRedrawMs) {
    platform::Sleep(kRedrawMs);
    // A lost display (a mode change) is found again and opened anew.
    if (!card.Draw() && !(card.Open() && card.Draw())) {
      platform::MessageBox(nullptr, "The external display was lost.", "Display Test",
                           platform::MB_OK | platform::MB_ICONERROR);
      return 1;
    }
  }
  return 0;
}

}  // namespace handheld
