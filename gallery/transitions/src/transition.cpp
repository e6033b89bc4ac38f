// The table of effects, the choice of a random one, and playing one out.
#include "gallery/transitions/transition.h"

#include <cassert>

#include "effects.h"
#include "platform/time.h"

namespace gallery::transitions {
namespace {

inline constexpr int kEdgeVariants = 8;
inline constexpr int kPushVariants = 4;

int VariantOf(int direction, int variants, const Random& random) {
  return direction == kAnyDirection ? random(variants) : direction;
}

}  // namespace

std::unique_ptr<Transition> MakeTransition(int effect, int direction, const Picture& old_picture,
                                           const Picture& new_picture, const Random& random) {
  assert(direction >= 0 && direction <= kAnyDirection);
  switch (effect) {
    case 0:
      return MakeCrossFade(old_picture, new_picture);
    case 1:
      return MakeWipe(VariantOf(direction, kEdgeVariants, random), old_picture, new_picture);
    case 2:
      return MakeSlideIn(VariantOf(direction, kEdgeVariants, random), old_picture, new_picture);
    case 3:
      return MakeUncover(VariantOf(direction, kEdgeVariants, random), old_picture, new_picture);
    case 4:
      return MakeBlinds(true, direction, old_picture, new_picture);
    case 5:
      return MakeBlinds(false, direction, old_picture, new_picture);
    case 6:
      return MakeClosingFrame(true, old_picture, new_picture);
    case 7:
      return MakeClosingFrame(false, old_picture, new_picture);
    case 8:
      return MakeGrowingCentre(old_picture, new_picture);
    case 9:
      return MakeDissolve(old_picture, new_picture);
    case 10:
      return MakeZoom(false, old_picture, new_picture, random);
    case 11:
      return MakeZoom(true, old_picture, new_picture, random);
    case 12:
      return MakeRandomStrips(true, false, direction, old_picture, new_picture, random);
    case 13:
      return MakeRandomStrips(false, false, direction, old_picture, new_picture, random);
    case 14:
      return MakeRandomStrips(true, true, direction, old_picture, new_picture, random);
    case 15:
      return MakeRandomStrips(false, true, direction, old_picture, new_picture, random);
    case 16:
      return MakeStaggered(true, old_picture, new_picture);
    case 17:
      return MakeStaggered(false, old_picture, new_picture);
    case 18:
    case 19:
    case 20:
      return MakeTonedFade(effect, VariantOf(direction, kEdgeVariants, random), old_picture,
                           new_picture);
    case 21:
      return MakePush(VariantOf(direction, kPushVariants, random), old_picture, new_picture);
    default:
      return MakeCrossFade(old_picture, new_picture);
  }
}

int ChooseEffect(int option, int previous, const Random& random) {
  if (option >= 0 && option < kEffectCount) return option;
  // A random effect other than the last: one of the 21 others.
  if (previous < 0 || previous >= kEffectCount) return random(kEffectCount);
  const int pick = random(kEffectCount - 1);
  return pick < previous ? pick : pick + 1;
}

void Play(Transition& transition, const Picture& screen,
          const std::function<void(const platform::RECT&)>& present) {
  while (const std::optional<Frame> frame = transition.Next(screen)) {
    if (frame->changed.right > frame->changed.left && frame->changed.bottom > frame->changed.top)
      present(frame->changed);
    if (frame->pause_ms > 0) platform::Sleep(frame->pause_ms);
  }
}

}  // namespace gallery::transitions
