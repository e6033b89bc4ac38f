#include "front_panel.h"

#include <algorithm>

#include "platform/messages.h"
#include "platform/screen.h"

namespace handheld {

using namespace platform;

namespace {

constexpr COLORREF kCase = RGB(60, 64, 72);
constexpr COLORREF kButtonFace = RGB(150, 156, 168);
constexpr COLORREF kButtonPressed = RGB(90, 140, 220);
constexpr COLORREF kLabel = RGB(20, 20, 24);
constexpr COLORREF kHelpText = RGB(225, 228, 235);

constexpr int kPanelLeft = kScreenLeft + screen::kWidth * kScreenScale + 24;  // 520
constexpr int kPad = 64;                                                      // d-pad arm

}  // namespace

RECT ScreenRect() {
  return {kScreenLeft, kScreenTop, kScreenLeft + screen::kWidth * kScreenScale,
          kScreenTop + screen::kHeight * kScreenScale};
}

const std::vector<HardwareButton>& HardwareButtons() {
  constexpr int l = kPanelLeft;
  constexpr int cx = l + 92;  // d-pad centre
  constexpr int cy = 250;
  constexpr int h = kPad / 2;
  static const std::vector<HardwareButton> buttons = {
      {"App 1", VK_APP1, {l, 24, l + 84, 64}},
      {"App 2", VK_APP2, {l + 100, 24, l + 184, 64}},
      {"App 3", VK_APP3, {l, 80, l + 84, 120}},
      {"App 4", VK_APP4, {l + 100, 80, l + 184, 120}},
      {"Up", VK_UP, {cx - h, cy - 3 * h, cx + h, cy - h}},
      {"Down", VK_DOWN, {cx - h, cy + h, cx + h, cy + 3 * h}},
      {"Left", VK_LEFT, {cx - 3 * h, cy - h, cx - h, cy + h}},
      {"Right", VK_RIGHT, {cx + h, cy - h, cx + 3 * h, cy + h}},
      {"OK", VK_ACTION, {cx - h, cy - h, cx + h, cy + h}},
      {"Action", VK_ACTION, {l + 32, 366, l + 152, 406}},
  };
  return buttons;
}

const HardwareButton* ButtonAt(int x, int y) {
  for (const HardwareButton& button : HardwareButtons()) {
    if (PtInRect(&button.rect, POINT{x, y})) return &button;
  }
  return nullptr;
}

POINT ToScreen(int x, int y) {
  return {std::clamp((x - kScreenLeft) / kScreenScale, 0, screen::kWidth - 1),
          std::clamp((y - kScreenTop) / kScreenScale, 0, screen::kHeight - 1)};
}

FrontPanel::FrontPanel(std::vector<KeyHelp> help) : help_(std::move(help)) {
  BITMAPINFO info;
  info.bmiHeader.biWidth = kPanelWindowWidth;
  info.bmiHeader.biHeight = -kPanelWindowHeight;
  info.bmiHeader.biBitCount = 24;
  bitmap_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits_);
  dc_ = CreateCompatibleDC(nullptr);
  old_bitmap_ = SelectObject(dc_, bitmap_);
  LOGFONT font;
  font.lfFaceName = "Tahoma";
  font.lfHeight = -14;
  font.lfWeight = FW_BOLD;
  label_font_ = CreateFontIndirect(&font);
  font.lfHeight = -12;
  font.lfWeight = FW_NORMAL;
  help_font_ = CreateFontIndirect(&font);
}

FrontPanel::~FrontPanel() {
  SelectObject(dc_, old_bitmap_);
  DeleteDC(dc_);
  DeleteObject(bitmap_);
  DeleteObject(label_font_);
  DeleteObject(help_font_);
}

int FrontPanel::stride() const { return (kPanelWindowWidth * 3 + 3) & ~3; }

void FrontPanel::Draw(const std::vector<UINT>& pressed_keys) {
  RECT all{0, 0, kPanelWindowWidth, kPanelWindowHeight};
  HBRUSH case_brush = CreateSolidBrush(kCase);
  FillRect(dc_, &all, case_brush);
  DeleteObject(case_brush);
  SetBkMode(dc_, TRANSPARENT);

  HGDIOBJ old_font = SelectObject(dc_, label_font_);
  HGDIOBJ old_pen = SelectObject(dc_, GetStockObject(BLACK_PEN));
  for (const HardwareButton& button : HardwareButtons()) {
    const bool pressed = std::find(pressed_keys.begin(), pressed_keys.end(), button.virtual_key) !=
                         pressed_keys.end();
    HBRUSH face = CreateSolidBrush(pressed ? kButtonPressed : kButtonFace);
    HGDIOBJ old_brush = SelectObject(dc_, face);
    Rectangle(dc_, button.rect.left, button.rect.top, button.rect.right, button.rect.bottom);
    SelectObject(dc_, old_brush);
    DeleteObject(face);
    SetTextColor(dc_, kLabel);
    RECT label = button.rect;
    DrawText(dc_, button.label, &label, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  }
  SelectObject(dc_, old_pen);

  SelectObject(dc_, help_font_);
  SetTextColor(dc_, kHelpText);
  TEXTMETRIC metrics;
  GetTextMetrics(dc_, &metrics);
  int top = 424;
  constexpr int kMeaningColumn = kPanelLeft + 82;
  for (const KeyHelp& line : help_) {
    RECT keys{kPanelLeft, top, kMeaningColumn - 4, top + metrics.tmHeight};
    DrawText(dc_, line.host_keys, &keys, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX);
    RECT meaning{kMeaningColumn, top, kPanelWindowWidth - 4, top + metrics.tmHeight};
    DrawText(dc_, line.meaning, &meaning, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
    top += metrics.tmHeight;
  }
  SelectObject(dc_, old_font);
}

}  // namespace handheld
