// The window front-end: an SDL2 window showing the handheld's screen at
// twice its size beside drawn hardware buttons. The mouse is the stylus on
// the screen and presses the buttons; the keyboard stands for the keys
// (keyboard_map.h). It runs on the thread that drives the emulator.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "external_window.h"
#include "front_panel.h"

struct SDL_Window;
struct SDL_Renderer;
struct SDL_Texture;

namespace handheld {

class SdlFrontEnd {
 public:
  // Null with the reason in *error when no window can be opened (no
  // display, for one).
  static std::unique_ptr<SdlFrontEnd> Open(std::string* error);
  ~SdlFrontEnd();
  SdlFrontEnd(const SdlFrontEnd&) = delete;
  SdlFrontEnd& operator=(const SdlFrontEnd&) = delete;

  // Handles the events that arrived and shows the screen when it may have
  // changed. False once the window was closed.
  bool Pump();
  bool closed() const { return closed_; }
  // Pumps until the window is closed.
  void RunUntilClosed();
  // The window's pixels as a PNG file.
  bool SaveWindowImage(const std::filesystem::path& png);
  // The second window's, showing the external display; false when none
  // is plugged in.
  bool SaveExternalWindowImage(const std::filesystem::path& png);

 private:
  SdlFrontEnd() = default;
  void HandleEvent(const void* event);
  void PressKey(platform::UINT key, bool down);
  void Render(bool force);

  SDL_Window* window_ = nullptr;
  SDL_Renderer* renderer_ = nullptr;
  SDL_Texture* screen_texture_ = nullptr;
  SDL_Texture* panel_texture_ = nullptr;
  std::unique_ptr<FrontPanel> panel_;
  ExternalWindow external_window_;
  std::vector<platform::UINT> pressed_keys_;
  const HardwareButton* held_button_ = nullptr;
  bool stylus_down_ = false;
  bool closed_ = false;
  bool panel_dirty_ = true;
  std::uint64_t shown_change_ = UINT64_MAX;
  std::uint32_t last_compose_ms_ = 0;
  int screenshots_ = 0;
};

}  // namespace handheld
