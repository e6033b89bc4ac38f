#include "button_bar.h"

#include "platform/screen.h"

namespace camera {

using namespace platform;

struct ButtonBar::Button {
  int id;
  const char* text;
  int x;  // on the screen
  int y;
  int width;
  int height;
  UINT normal_image;
  UINT pressed_image;
};

const std::array<ButtonBar::Button, 5>& ButtonBar::Buttons() {
  static constexpr std::array<Button, 5> kButtons = {{
      {kShutterButton, "Shutter", 174, 201, 49, 49, 287, 278},
      {kMenuButton, "Menu", 61, 227, 30, 30, 285, 279},
      {kPlayButton, "Play", 101, 227, 30, 30, 286, 280},
      {kZoomOutButton, "Zoom Out", 91, 188, 32, 31, 281, 282},
      {kZoomInButton, "Zoom In", 127, 188, 32, 31, 283, 284},
  }};
  return kButtons;
}

ButtonBar::~ButtonBar() { Release(); }

void ButtonBar::LoadBackground(HINSTANCE instance) {
  Release();
  bar_bitmap_ = LoadBitmap(instance, 133);
  bar_dc_ = CreateCompatibleDC(nullptr);
  if (bar_dc_ && bar_bitmap_) previous_bitmap_ = SelectObject(bar_dc_, bar_bitmap_);
}

void ButtonBar::CreateButtons(HWND dialog, HINSTANCE instance) {
  for (std::size_t i = 0; i < Buttons().size(); ++i) {
    const Button& button = Buttons()[i];
    // One image per list, as wide as the button; black is see-through.
    images_[i][0] =
        ImageList_LoadBitmap(instance, button.normal_image, button.width, 0, RGB(0, 0, 0));
    images_[i][1] =
        ImageList_LoadBitmap(instance, button.pressed_image, button.width, 0, RGB(0, 0, 0));
    CreateWindowEx(WS_EX_NOACTIVATE, "BUTTON", button.text, WS_CHILD | WS_VISIBLE | BS_OWNERDRAW,
                   button.x, button.y, button.width, button.height, dialog,
                   reinterpret_cast<HMENU>(static_cast<std::intptr_t>(button.id)), instance,
                   nullptr);
  }
}

void ButtonBar::PaintBackground(HDC dc) const {
  if (!bar_dc_) return;
  BitBlt(dc, 0, kBarTop, platform::screen::kWidth, kBarPaintHeight, bar_dc_, 0, 0, SRCCOPY);
}

bool ButtonBar::DrawButton(const DRAWITEMSTRUCT& item) const {
  for (std::size_t i = 0; i < Buttons().size(); ++i) {
    const Button& button = Buttons()[i];
    if (static_cast<int>(item.CtlID) != button.id) continue;
    if (bar_dc_) {
      BitBlt(item.hDC, 0, 0, button.width, button.height, bar_dc_, button.x, button.y - kBarTop,
             SRCCOPY);
    }
    const bool pressed = (item.itemState & ODS_SELECTED) != 0;
    ImageList_Draw(images_[i][pressed ? 1 : 0], 0, item.hDC, 0, 0, ILD_TRANSPARENT);
    return true;
  }
  return false;
}

void ButtonBar::Release() {
  for (auto& pair : images_) {
    for (HIMAGELIST& list : pair) {
      if (list) ImageList_Destroy(list);
      list = nullptr;
    }
  }
  if (bar_dc_) {
    if (previous_bitmap_) SelectObject(bar_dc_, previous_bitmap_);
    DeleteDC(bar_dc_);
  }
  if (bar_bitmap_) DeleteObject(bar_bitmap_);
  bar_dc_ = nullptr;
  bar_bitmap_ = nullptr;
  previous_bitmap_ = nullptr;
}

}  // namespace camera
