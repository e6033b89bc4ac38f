#include "slideshow/slide_buttons.h"

namespace gallery {

ButtonLayout LayoutButtons(const SlideshowOptions& options, int w, int h) {
  if (!options.rotate_to_fit)
    return {kBitmapButtonsPlain,
            {{w - 136, h - 40}, {w - 104, h - 40}, {w - 72, h - 40}, {w - 40, h - 40}, {8, h - 40}},
            0};
  if (options.rotate_direction == 1)
    return {kBitmapButtonsTurnedClockwise,
            {{8, h - 136}, {8, h - 104}, {8, h - 72}, {8, h - 40}, {8, 8}},
            4};
  return {kBitmapButtonsTurnedCounterClockwise,
          {{w - 40, 104}, {w - 40, 72}, {w - 40, 40}, {w - 40, 8}, {w - 40, h - 40}},
          2};
}

int ButtonImage(int button, bool paused, const ButtonLayout& layout, bool pressed) {
  int image = 0;
  switch (button) {
    case kButtonPause:
      image = paused ? 2 : 0;
      break;
    case kButtonPrevious:
      image = 4;
      break;
    case kButtonNext:
      image = 6;
      break;
    case kButtonClose:
      image = 8;
      break;
    default:
      image = layout.play_image;
      break;
  }
  return image + (pressed ? 1 : 0);
}

}  // namespace gallery
