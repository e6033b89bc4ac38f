// Zoom in and zoom out around a random point of the screen.
#include "effects.h"

namespace gallery::transitions {
namespace {

class Zoom final : public SteppedTransition {
 public:
  Zoom(bool zoom_out, const Picture& old_picture, const Picture& new_picture, const Random& random)
      : SteppedTransition(old_picture, new_picture, kTenthSteps, kStepPause),
        zoom_out_(zoom_out),
        x_(random(new_picture.width)),
        y_(random(new_picture.height)) {}

 private:
  platform::RECT DrawStep(int step, const Picture& screen) override {
    // The rectangle growing from the point to the whole screen.
    const platform::RECT grown = {x_ - x_ * step / 10, y_ - y_ * step / 10,
                                  x_ + (width() - x_) * step / 10,
                                  y_ + (height() - y_) * step / 10};
    if (zoom_out_) {
      StretchBlock(screen, grown, new_, new_.Bounds());
      return grown;
    }
    // The first step shows the single pixel at the point.
    platform::RECT from = grown;
    if (from.right == from.left) from.right = from.left + 1;
    if (from.bottom == from.top) from.bottom = from.top + 1;
    StretchBlock(screen, screen.Bounds(), new_, from);
    return screen.Bounds();
  }

  bool zoom_out_;
  int x_;
  int y_;
};

}  // namespace

std::unique_ptr<Transition> MakeZoom(bool zoom_out, const Picture& old_picture,
                                     const Picture& new_picture, const Random& random) {
  return std::make_unique<Zoom>(zoom_out, old_picture, new_picture, random);
}

}  // namespace gallery::transitions
