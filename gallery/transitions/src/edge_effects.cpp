// The effects that move along an edge or a corner in tenths: wipe, slide
// in, uncover and push.
#include "effects.h"

namespace gallery::transitions {

Edge Edge::Of(int variant) {
  switch (variant) {
    case 0:
      return {.top = true};
    case 1:
      return {.bottom = true};
    case 2:
      return {.left = true};
    case 3:
      return {.right = true};
    case 4:
      return {.top = true, .left = true};
    case 5:
      return {.top = true, .right = true};
    case 6:
      return {.bottom = true, .left = true};
    default:
      return {.bottom = true, .right = true};
  }
}

namespace {

// The share of the move done at step k: k tenths of each moving side.
struct Travel {
  int x = 0;  // how far the new picture has come in, horizontally
  int y = 0;
};

class EdgeTransition : public SteppedTransition {
 public:
  EdgeTransition(int variant, const Picture& old_picture, const Picture& new_picture, int steps,
                 platform::DWORD pause)
      : SteppedTransition(old_picture, new_picture, steps, pause), edge_(Edge::Of(variant)) {}

 protected:
  bool horizontal() const { return edge_.left || edge_.right; }
  bool vertical() const { return edge_.top || edge_.bottom; }
  Travel At(int step) const {
    return {horizontal() ? step * width() / 10 : width(),
            vertical() ? step * height() / 10 : height()};
  }
  // The part of the screen the new picture covers after `travel`.
  platform::RECT Covered(Travel travel) const {
    const int left = edge_.right ? width() - travel.x : 0;
    const int top = edge_.bottom ? height() - travel.y : 0;
    return {left, top, left + travel.x, top + travel.y};
  }
  // Where the new picture stands when it has come in by `travel`.
  int EnteringX(Travel travel) const {
    if (edge_.left) return travel.x - width();
    if (edge_.right) return width() - travel.x;
    return 0;
  }
  int EnteringY(Travel travel) const {
    if (edge_.top) return travel.y - height();
    if (edge_.bottom) return height() - travel.y;
    return 0;
  }

  Edge edge_;
};

class Wipe final : public EdgeTransition {
 public:
  Wipe(int variant, const Picture& old_picture, const Picture& new_picture)
      : EdgeTransition(variant, old_picture, new_picture, kTenthSteps, kStepPause) {}

 private:
  platform::RECT DrawStep(int step, const Picture& screen) override {
    const platform::RECT covered = Covered(At(step));
    CopyBlock(screen, covered.left, covered.top, new_, covered.left, covered.top,
              covered.right - covered.left, covered.bottom - covered.top);
    return covered;
  }
};

class SlideIn final : public EdgeTransition {
 public:
  SlideIn(int variant, const Picture& old_picture, const Picture& new_picture)
      : EdgeTransition(variant, old_picture, new_picture, kTenthSteps, kStepPause) {}

 private:
  platform::RECT DrawStep(int step, const Picture& screen) override {
    const Travel travel = At(step);
    CopyShifted(screen, new_, EnteringX(travel), EnteringY(travel));
    return Covered(travel);
  }
};

// The old picture leaves towards the opposite side and uncovers the new
// one standing still behind it.
class Uncover final : public EdgeTransition {
 public:
  Uncover(int variant, const Picture& old_picture, const Picture& new_picture)
      : EdgeTransition(variant, old_picture, new_picture, kTenthSteps, kUncoverPause) {}

 private:
  platform::RECT DrawStep(int step, const Picture& screen) override {
    const Travel travel = At(step);
    CopyShifted(screen, new_, 0, 0);
    const int x = edge_.left ? travel.x : edge_.right ? -travel.x : 0;
    const int y = edge_.top ? travel.y : edge_.bottom ? -travel.y : 0;
    if (step < 10) CopyShifted(screen, old_, x, y);
    return screen.Bounds();
  }
};

// The new picture enters and pushes the old one out of the opposite edge.
class Push final : public EdgeTransition {
 public:
  Push(int variant, const Picture& old_picture, const Picture& new_picture)
      : EdgeTransition(variant, old_picture, new_picture, kTenthSteps, kStepPause) {}

 private:
  platform::RECT DrawStep(int step, const Picture& screen) override {
    const Travel travel = At(step);
    const int x = EnteringX(travel);
    const int y = EnteringY(travel);
    const int old_x = edge_.left ? travel.x : edge_.right ? -travel.x : 0;
    const int old_y = edge_.top ? travel.y : edge_.bottom ? -travel.y : 0;
    CopyShifted(screen, old_, old_x, old_y);
    CopyShifted(screen, new_, x, y);
    return screen.Bounds();
  }
};

}  // namespace

std::unique_ptr<Transition> MakeWipe(int variant, const Picture& old_picture,
                                     const Picture& new_picture) {
  return std::make_unique<Wipe>(variant, old_picture, new_picture);
}
std::unique_ptr<Transition> MakeSlideIn(int variant, const Picture& old_picture,
                                        const Picture& new_picture) {
  return std::make_unique<SlideIn>(variant, old_picture, new_picture);
}
std::unique_ptr<Transition> MakeUncover(int variant, const Picture& old_picture,
                                        const Picture& new_picture) {
  return std::make_unique<Uncover>(variant, old_picture, new_picture);
}
std::unique_ptr<Transition> MakePush(int variant, const Picture& old_picture,
                                     const Picture& new_picture) {
  return std::make_unique<Push>(variant, old_picture, new_picture);
}

}  // namespace gallery::transitions
