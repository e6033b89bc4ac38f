// The window front-end's picture of the handheld: where the screen sits
// (shown at twice its size) and the hardware buttons beside it, drawn with
// the platform's own drawing calls into a bitmap the front-end shows.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "keyboard_map.h"
#include "platform/gdi.h"

namespace handheld {

struct HardwareButton {
  const char* label;
  platform::UINT virtual_key;
  platform::RECT rect;  // window pixels
};

inline constexpr int kScreenScale = 2;
inline constexpr int kScreenLeft = 16;
inline constexpr int kScreenTop = 16;
inline constexpr int kPanelWindowWidth = 720;
inline constexpr int kPanelWindowHeight = 672;

// Window rectangle of the scaled screen.
platform::RECT ScreenRect();
const std::vector<HardwareButton>& HardwareButtons();
// The button under a window point, if any.
const HardwareButton* ButtonAt(int x, int y);

// The handheld's screen point for a window point (clamped to the screen).
platform::POINT ToScreen(int x, int y);

// The panel's pixels (24-bit, top-down), redrawn with the given buttons
// shown pressed.
class FrontPanel {
 public:
  explicit FrontPanel(std::vector<KeyHelp> help);
  ~FrontPanel();
  FrontPanel(const FrontPanel&) = delete;
  FrontPanel& operator=(const FrontPanel&) = delete;

  void Draw(const std::vector<platform::UINT>& pressed_keys);
  const void* pixels() const { return bits_; }
  int stride() const;

 private:
  std::vector<KeyHelp> help_;
  platform::HDC dc_ = nullptr;
  platform::HBITMAP bitmap_ = nullptr;
  platform::HGDIOBJ old_bitmap_ = nullptr;
  platform::HFONT label_font_ = nullptr;
  platform::HFONT help_font_ = nullptr;
  void* bits_ = nullptr;
};

}  // namespace handheld
