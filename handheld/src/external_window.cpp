#include "external_window.h"

#include <SDL.h>

#include <string>

#include "platform/gdi_png.h"

namespace handheld {

ExternalWindow::~ExternalWindow() { Close(); }

std::uint32_t ExternalWindow::window_id() const {
  return window_ != nullptr ? SDL_GetWindowID(window_) : 0;
}

bool ExternalWindow::Open(const platform::DisplayMode& mode) {
  const std::string title = "Orsa handheld - external display " + std::to_string(mode.width) + "x" +
                            std::to_string(mode.height) + "x" + std::to_string(mode.bits_per_pixel);
  window_ = SDL_CreateWindow(title.c_str(), SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED,
                             mode.width, mode.height, 0);
  if (window_ != nullptr) renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_SOFTWARE);
  // The display keeps 16-bit modes as RGB565 and deeper ones as 24 bits.
  if (renderer_ != nullptr) {
    texture_ = SDL_CreateTexture(
        renderer_, mode.bits_per_pixel == 16 ? SDL_PIXELFORMAT_RGB565 : SDL_PIXELFORMAT_BGR24,
        SDL_TEXTUREACCESS_STREAMING, mode.width, mode.height);
  }
  if (texture_ == nullptr) {
    Close();
    return false;
  }
  shown_mode_ = mode;
  return true;
}

void ExternalWindow::Close() {
  if (texture_ != nullptr) SDL_DestroyTexture(texture_);
  if (renderer_ != nullptr) SDL_DestroyRenderer(renderer_);
  if (window_ != nullptr) SDL_DestroyWindow(window_);
  texture_ = nullptr;
  renderer_ = nullptr;
  window_ = nullptr;
  shown_mode_.reset();
}

void ExternalWindow::Update() {
  const std::optional<platform::DisplayMode> mode = platform::external_display::CurrentMode();
  if (mode != shown_mode_) {
    Close();
    if (!mode || !Open(*mode)) return;
  }
  if (texture_ == nullptr) return;
  const std::optional<platform::gdi::Surface> pixels = platform::external_display::Snapshot();
  // The display may have changed mode since it was asked; the next update
  // follows it.
  if (!pixels || pixels->width() != shown_mode_->width || pixels->height() != shown_mode_->height) {
    return;
  }
  SDL_UpdateTexture(texture_, nullptr, pixels->Row(0), pixels->stride());
  SDL_RenderCopy(renderer_, texture_, nullptr, nullptr);
  SDL_RenderPresent(renderer_);
}

bool ExternalWindow::SaveImage(const std::filesystem::path& png) {
  if (window_ == nullptr) return false;
  Update();
  platform::gdi::Surface image(shown_mode_->width, shown_mode_->height, 24);
  if (SDL_RenderReadPixels(renderer_, nullptr, SDL_PIXELFORMAT_BGR24, image.bits(),
                           image.stride()) != 0) {
    return false;
  }
  return platform::gdi::WritePng(image, png);
}

}  // namespace handheld
