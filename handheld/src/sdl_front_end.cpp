#include "sdl_front_end.h"

#include <SDL.h>

#include <algorithm>
#include <cstdlib>
#include <iostream>

#include "keyboard_map.h"
#include "platform/gdi_png.h"
#include "platform/gdi_surface.h"
#include "platform/input.h"
#include "platform/screen.h"
#include "platform/shell_help.h"
#include "platform/time.h"

namespace handheld {

namespace {

// The screen is composed again at least this often even when nothing says
// it changed (a wait cursor, a clock).
constexpr std::uint32_t kRecomposeMs = 100;
constexpr platform::DWORD kFrameMs = 16;

}  // namespace

std::unique_ptr<SdlFrontEnd> SdlFrontEnd::Open(std::string* error) {
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
    *error = std::string("cannot start SDL video: ") + SDL_GetError();
    return nullptr;
  }
  // Without a display SDL falls back to drawing nowhere; a window nobody can
  // see or close would only hang, unless that driver was asked for.
  const std::string driver = SDL_GetCurrentVideoDriver() ? SDL_GetCurrentVideoDriver() : "";
  if ((driver == "offscreen" || driver == "dummy") && std::getenv("SDL_VIDEODRIVER") == nullptr) {
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    *error = "no display to open a window on (is DISPLAY set?)";
    return nullptr;
  }
  // Software rendering works on every display, Xvfb included. Without the
  // first hint SDL opens a hidden OpenGL window to decide how to present,
  // which loads the host's GL driver and its threads for nothing.
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  SDL_SetHint(SDL_HINT_RENDER_DRIVER, "software");
  std::unique_ptr<SdlFrontEnd> front_end(new SdlFrontEnd);
  front_end->window_ =
      SDL_CreateWindow("Orsa handheld", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                       kPanelWindowWidth, kPanelWindowHeight, 0);
  if (front_end->window_ != nullptr) {
    front_end->renderer_ = SDL_CreateRenderer(front_end->window_, -1, SDL_RENDERER_SOFTWARE);
  }
  if (front_end->renderer_ == nullptr) {
    *error = std::string("cannot open a window: ") + SDL_GetError();
    return nullptr;
  }
  SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "0");  // sharp pixels at 2x
  front_end->screen_texture_ =
      SDL_CreateTexture(front_end->renderer_, SDL_PIXELFORMAT_RGB565, SDL_TEXTUREACCESS_STREAMING,
                        platform::screen::kWidth, platform::screen::kHeight);
  front_end->panel_texture_ =
      SDL_CreateTexture(front_end->renderer_, SDL_PIXELFORMAT_BGR24, SDL_TEXTUREACCESS_STREAMING,
                        kPanelWindowWidth, kPanelWindowHeight);
  if (front_end->screen_texture_ == nullptr || front_end->panel_texture_ == nullptr) {
    *error = std::string("cannot make textures: ") + SDL_GetError();
    return nullptr;
  }
  front_end->panel_ = std::make_unique<FrontPanel>(KeyboardHelp());
  front_end->Render(true);
  return front_end;
}

SdlFrontEnd::~SdlFrontEnd() {
  // The stylus and keys are let go, so no program waits for an up forever.
  if (stylus_down_) platform::input::StylusUp(0, 0);
  for (platform::UINT key : pressed_keys_) platform::input::KeyUp(key);
  if (screen_texture_ != nullptr) SDL_DestroyTexture(screen_texture_);
  if (panel_texture_ != nullptr) SDL_DestroyTexture(panel_texture_);
  if (renderer_ != nullptr) SDL_DestroyRenderer(renderer_);
  if (window_ != nullptr) SDL_DestroyWindow(window_);
  SDL_QuitSubSystem(SDL_INIT_VIDEO);
  // When nothing else (sound) uses SDL any more, its global state goes too.
  if (SDL_WasInit(SDL_INIT_EVERYTHING) == 0) SDL_Quit();
}

void SdlFrontEnd::PressKey(platform::UINT key, bool down) {
  auto found = std::find(pressed_keys_.begin(), pressed_keys_.end(), key);
  if (down) {
    if (found == pressed_keys_.end()) pressed_keys_.push_back(key);
    platform::input::KeyDown(key);
  } else {
    if (found == pressed_keys_.end()) return;
    pressed_keys_.erase(found);
    platform::input::KeyUp(key);
  }
  panel_dirty_ = true;
}

void SdlFrontEnd::HandleEvent(const void* raw) {
  const SDL_Event& event = *static_cast<const SDL_Event*>(raw);
  const platform::RECT screen = ScreenRect();
  switch (event.type) {
    case SDL_QUIT:
      closed_ = true;
      break;
    case SDL_MOUSEBUTTONDOWN: {
      if (event.button.button != SDL_BUTTON_LEFT) break;
      const int x = event.button.x;
      const int y = event.button.y;
      if (platform::PtInRect(&screen, platform::POINT{x, y})) {
        const platform::POINT at = ToScreen(x, y);
        stylus_down_ = true;
        platform::input::StylusDown(at.x, at.y);
      } else if (const HardwareButton* button = ButtonAt(x, y)) {
        held_button_ = button;
        PressKey(button->virtual_key, true);
      }
      break;
    }
    case SDL_MOUSEMOTION:
      if (stylus_down_) {
        const platform::POINT at = ToScreen(event.motion.x, event.motion.y);
        platform::input::StylusMove(at.x, at.y);
      }
      break;
    case SDL_MOUSEBUTTONUP:
      if (event.button.button != SDL_BUTTON_LEFT) break;
      if (stylus_down_) {
        const platform::POINT at = ToScreen(event.button.x, event.button.y);
        stylus_down_ = false;
        platform::input::StylusUp(at.x, at.y);
      }
      if (held_button_ != nullptr) {
        PressKey(held_button_->virtual_key, false);
        held_button_ = nullptr;
      }
      break;
    case SDL_KEYDOWN:
    case SDL_KEYUP: {
      const SDL_Keycode key = event.key.keysym.sym;
      const bool down = event.type == SDL_KEYDOWN;
      if (down && key == SDLK_q && (event.key.keysym.mod & KMOD_CTRL) != 0) {
        closed_ = true;
      } else if (down && key == SDLK_F12) {
        const std::string file = "orsa-screenshot-" + std::to_string(++screenshots_) + ".png";
        if (platform::screen::SaveScreenshot(file)) std::cout << "screenshot " << file << "\n";
      } else if (down && key == SDLK_F9) {
        platform::SHSendHelpRequest();
      } else if (std::optional<platform::UINT> handheld_key = HandheldKeyFor(key)) {
        PressKey(*handheld_key, down);
      }
      break;
    }
    case SDL_WINDOWEVENT:
      if (event.window.event == SDL_WINDOWEVENT_EXPOSED) shown_change_ = UINT64_MAX;
      // With the external display's window open, closing the handheld's
      // window is no longer the last window closing.
      if (event.window.event == SDL_WINDOWEVENT_CLOSE &&
          event.window.windowID == SDL_GetWindowID(window_)) {
        closed_ = true;
      }
      break;
    default:
      break;
  }
}

void SdlFrontEnd::Render(bool force) {
  const std::uint64_t change = platform::screen::ChangeCount();
  const std::uint32_t now = SDL_GetTicks();
  const bool screen_due =
      force || change != shown_change_ || now - last_compose_ms_ >= kRecomposeMs;
  if (!screen_due && !panel_dirty_) return;
  if (panel_dirty_ || force) {
    panel_->Draw(pressed_keys_);
    SDL_UpdateTexture(panel_texture_, nullptr, panel_->pixels(), panel_->stride());
    panel_dirty_ = false;
  }
  if (screen_due) {
    const platform::gdi::Surface& screen = platform::screen::Compose();
    SDL_UpdateTexture(screen_texture_, nullptr, screen.Row(0), screen.stride());
    shown_change_ = change;
    last_compose_ms_ = now;
    external_window_.Update();
  }
  SDL_RenderCopy(renderer_, panel_texture_, nullptr, nullptr);
  const platform::RECT area = ScreenRect();
  const SDL_Rect target{area.left, area.top, area.right - area.left, area.bottom - area.top};
  SDL_RenderCopy(renderer_, screen_texture_, nullptr, &target);
  SDL_RenderPresent(renderer_);
}

bool SdlFrontEnd::Pump() {
  SDL_Event event;
  while (!closed_ && SDL_PollEvent(&event)) HandleEvent(&event);
  if (!closed_) Render(false);
  return !closed_;
}

void SdlFrontEnd::RunUntilClosed() {
  while (Pump()) platform::Sleep(kFrameMs);
}

bool SdlFrontEnd::SaveWindowImage(const std::filesystem::path& png) {
  Render(true);
  platform::gdi::Surface image(kPanelWindowWidth, kPanelWindowHeight, 24);
  // What the renderer last drew; a software renderer keeps it after showing.
  if (SDL_RenderReadPixels(renderer_, nullptr, SDL_PIXELFORMAT_BGR24, image.bits(),
                           image.stride()) != 0) {
    return false;
  }
  return platform::gdi::WritePng(image, png);
}

bool SdlFrontEnd::SaveExternalWindowImage(const std::filesystem::path& png) {
  external_window_.Update();
  return external_window_.SaveImage(png);
}

}  // namespace handheld
