// The button bar under the preview: the background bitmap and five
// owner-drawn buttons (Shutter, Menu, Play, Zoom Out, Zoom In), each with a
// normal and a pressed image drawn over the bar with black transparent.
#pragma once

#include <array>

#include "platform/controls/buttons.h"
#include "platform/gdi.h"
#include "platform/image_list.h"
#include "platform/window.h"

namespace camera {

inline constexpr int kShutterButton = 1601;
inline constexpr int kMenuButton = 1602;
inline constexpr int kPlayButton = 1603;
inline constexpr int kZoomOutButton = 1604;
inline constexpr int kZoomInButton = 1605;

// Where the bar starts on the dialog, and how much of it the dialog paints.
inline constexpr int kBarTop = 180;
inline constexpr int kBarPaintHeight = 108;

class ButtonBar {
 public:
  ButtonBar() = default;
  ~ButtonBar();
  ButtonBar(const ButtonBar&) = delete;
  ButtonBar& operator=(const ButtonBar&) = delete;

  // Selects bitmap 133 into a drawing surface kept for the whole run.
  void LoadBackground(platform::HINSTANCE instance);
  // The five buttons over the bar, children of `dialog`, with their images.
  void CreateButtons(platform::HWND dialog, platform::HINSTANCE instance);
  // The dialog's paint: the bar's background at (0, kBarTop).
  void PaintBackground(platform::HDC dc) const;
  // WM_DRAWITEM for one of the buttons; false for another control.
  bool DrawButton(const platform::DRAWITEMSTRUCT& item) const;
  // Destroys the image lists and the background's surface (Exit).
  void Release();

 private:
  struct Button;
  static const std::array<Button, 5>& Buttons();

  platform::HDC bar_dc_ = nullptr;
  platform::HBITMAP bar_bitmap_ = nullptr;
  platform::HGDIOBJ previous_bitmap_ = nullptr;
  // Normal and pressed image of each button, in the order of Buttons().
  std::array<std::array<platform::HIMAGELIST, 2>, 5> images_{};
};

}  // namespace camera
