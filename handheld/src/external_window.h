// The window front-end's second window: the external display at its own
// size, opened while one is plugged in and made anew when its mode
// changes. Runs on the front-end's thread.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>

#include "platform/external_display.h"

struct SDL_Window;
struct SDL_Renderer;
struct SDL_Texture;

namespace handheld {

class ExternalWindow {
 public:
  ExternalWindow() = default;
  ~ExternalWindow();
  ExternalWindow(const ExternalWindow&) = delete;
  ExternalWindow& operator=(const ExternalWindow&) = delete;

  // Opens, resizes or closes the window to follow the display, and shows
  // what the display shows now.
  void Update();
  // The SDL id of the window, 0 while none is open.
  std::uint32_t window_id() const;
  // The window's pixels as a PNG file; false while none is open.
  bool SaveImage(const std::filesystem::path& png);

 private:
  bool Open(const platform::DisplayMode& mode);
  void Close();

  SDL_Window* window_ = nullptr;
  SDL_Renderer* renderer_ = nullptr;
  SDL_Texture* texture_ = nullptr;
  std::optional<platform::DisplayMode> shown_mode_;
};

}  // namespace handheld
