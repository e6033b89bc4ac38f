// The closing frame (with or without the old picture squeezed into its
// centre) and the growing centre rectangle.
#include "effects.h"

namespace gallery::transitions {
namespace {

inline constexpr int kFrameSteps = 10;
inline constexpr int kFrameBands = 20;

class ClosingFrame final : public SteppedTransition {
 public:
  ClosingFrame(bool squeeze_old, const Picture& old_picture, const Picture& new_picture)
      : SteppedTransition(old_picture, new_picture, kFrameSteps, kStepPause),
        squeeze_old_(squeeze_old) {}

 private:
  platform::RECT DrawStep(int step, const Picture& screen) override {
    const int w = width();
    const int h = height();
    const int top = step * h / kFrameBands;
    const int bottom = (kFrameBands - 1 - step) * h / kFrameBands;
    const int left = step * w / kFrameBands;
    const int right = (kFrameBands - 1 - step) * w / kFrameBands;
    const int next_top = (step + 1) * h / kFrameBands;
    const int next_bottom = (kFrameBands - step) * h / kFrameBands;
    const int next_left = (step + 1) * w / kFrameBands;
    const int next_right = (kFrameBands - step) * w / kFrameBands;
    CopyBlock(screen, 0, top, new_, 0, top, w, next_top - top);
    CopyBlock(screen, 0, bottom, new_, 0, bottom, w, next_bottom - bottom);
    CopyBlock(screen, left, 0, new_, left, 0, next_left - left, h);
    CopyBlock(screen, right, 0, new_, right, 0, next_right - right, h);
    if (squeeze_old_)
      StretchBlock(screen, {next_left, next_top, right, bottom}, old_, old_.Bounds());
    return screen.Bounds();
  }

  bool squeeze_old_;
};

class GrowingCentre final : public SteppedTransition {
 public:
  GrowingCentre(const Picture& old_picture, const Picture& new_picture)
      : SteppedTransition(old_picture, new_picture, kTenthSteps, kStepPause) {}

 private:
  platform::RECT DrawStep(int step, const Picture& screen) override {
    const int grown_width = step * width() / 10;
    const int grown_height = step * height() / 10;
    const int left = (width() - grown_width) / 2;
    const int top = (height() - grown_height) / 2;
    CopyBlock(screen, left, top, new_, left, top, grown_width, grown_height);
    return {left, top, left + grown_width, top + grown_height};
  }
};

}  // namespace

std::unique_ptr<Transition> MakeClosingFrame(bool squeeze_old, const Picture& old_picture,
                                             const Picture& new_picture) {
  return std::make_unique<ClosingFrame>(squeeze_old, old_picture, new_picture);
}

std::unique_ptr<Transition> MakeGrowingCentre(const Picture& old_picture,
                                              const Picture& new_picture) {
  return std::make_unique<GrowingCentre>(old_picture, new_picture);
}

}  // namespace gallery::transitions
