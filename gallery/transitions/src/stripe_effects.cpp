// Blinds and staggered strips: the new picture drawn in thin lines pass by
// pass.
#include "effects.h"

namespace gallery::transitions {
namespace {

inline constexpr int kBlindPasses = 10;
inline constexpr int kStaggerPasses = 20;
inline constexpr int kStaggerStrip = 20;
inline constexpr int kStaggerLine = 2;
inline constexpr int kStaggerPeriod = 40;

// Pass p copies the one-pixel lines at p, p + 10, ... of each band of ten
// (counted from the band's far side when `from_far_side`).
class Blinds final : public SteppedTransition {
 public:
  Blinds(bool columns, bool from_far_side, const Picture& old_picture, const Picture& new_picture)
      : SteppedTransition(old_picture, new_picture, kBlindPasses, kStepPause),
        columns_(columns),
        from_far_side_(from_far_side) {}

 private:
  platform::RECT DrawStep(int step, const Picture& screen) override {
    const int offset = from_far_side_ ? kBlindPasses - 1 - step : step;
    const int lines = AcrossExtent(columns_, new_);
    for (int line = offset; line < lines; line += kBlindPasses)
      CopyStripBlock(columns_, screen, line, 0, new_, 0, 1, AlongExtent(columns_, new_));
    return screen.Bounds();
  }

  bool columns_;
  bool from_far_side_;
};

// Strips 20 pixels wide, filled alternately from the near and the far end
// in two-pixel lines every 40 pixels.
class Staggered final : public SteppedTransition {
 public:
  Staggered(bool columns, const Picture& old_picture, const Picture& new_picture)
      : SteppedTransition(old_picture, new_picture, kStaggerPasses, kStaggerPause),
        columns_(columns) {}

 private:
  platform::RECT DrawStep(int step, const Picture& screen) override {
    const int across = AcrossExtent(columns_, new_);
    const int along = AlongExtent(columns_, new_);
    for (int strip = 0; strip * kStaggerStrip < across; ++strip) {
      const bool from_far_end = strip % 2 == 1;
      for (int start = step * kStaggerLine; start < along; start += kStaggerPeriod) {
        const int line = from_far_end ? along - kStaggerLine - start : start;
        CopyStripBlock(columns_, screen, strip * kStaggerStrip, line, new_, line, kStaggerStrip,
                       kStaggerLine);
      }
    }
    return screen.Bounds();
  }

  bool columns_;
};

}  // namespace

std::unique_ptr<Transition> MakeBlinds(bool columns, int direction, const Picture& old_picture,
                                       const Picture& new_picture) {
  const bool from_far_side = columns && direction != 0 && direction != 2;
  return std::make_unique<Blinds>(columns, from_far_side, old_picture, new_picture);
}

std::unique_ptr<Transition> MakeStaggered(bool columns, const Picture& old_picture,
                                          const Picture& new_picture) {
  return std::make_unique<Staggered>(columns, old_picture, new_picture);
}

}  // namespace gallery::transitions
