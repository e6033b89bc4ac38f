// The slideshow's five owner-drawn buttons: where each stands in the three
// layouts (plain, and turned for either rotation direction), which bitmap
// strip holds their images, and how one is drawn over the slide.
#pragma once

#include "gallery/options/gallery_options.h"
#include "platform/gdi.h"
#include "platform/window.h"

namespace gallery {

inline constexpr int kButtonPause = 1001;
inline constexpr int kButtonPrevious = 1002;
inline constexpr int kButtonNext = 1003;
inline constexpr int kButtonClose = 1004;
inline constexpr int kButtonPlay = 1005;
inline constexpr int kSlideButtonSize = 32;

// The bitmap strips of the buttons' images, two a button (normal, pressed).
inline constexpr int kBitmapButtonsPlain = 100;
inline constexpr int kBitmapButtonsTurnedClockwise = 101;
inline constexpr int kBitmapButtonsTurnedCounterClockwise = 102;
inline constexpr int kBitmapPlayButton = 104;

struct ButtonLayout {
  int bitmap;
  // Top-left corners of Pause, Previous, Next, Close and Play.
  platform::POINT places[5];
  // The Play button's image in bitmap 104: 0, 2 or 4.
  int play_image;
};

ButtonLayout LayoutButtons(const SlideshowOptions& options, int width, int height);

// The image of `button` in its strip (pressed adds 1).
int ButtonImage(int button, bool paused, const ButtonLayout& layout, bool pressed);

}  // namespace gallery
