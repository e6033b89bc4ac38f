// The slideshow's 22 transition effects from the picture being replaced to
// the new one. The old picture is already on the screen when a transition
// starts; each call of Next draws one more frame onto the screen and tells
// which part changed and how long to wait before the next frame. The last
// frame leaves exactly the new picture on the screen.
//
// Effects 0-21 (kRandomEffect picks one); directions 0 and 1 the two
// vertical senses, 2 and 3 the two horizontal ones, 4 any (a variant at
// random). Where an effect has an edge, directions 0-3 mean the new picture
// comes from the top, bottom, left or right edge, and variants 4-7 from the
// top-left, top-right, bottom-left or bottom-right corner.
#pragma once

#include <functional>
#include <memory>
#include <optional>

#include "gallery/transitions/picture.h"
#include "platform/types.h"

namespace gallery::transitions {

inline constexpr int kEffectCount = 22;
inline constexpr int kRandomEffect = 22;
inline constexpr int kAnyDirection = 4;

// A number in [0, bound): the slideshow's random numbers, a fixed sequence
// in tests.
using Random = std::function<int(int bound)>;

struct Frame {
  platform::RECT changed;  // empty when nothing was drawn
  platform::DWORD pause_ms = 0;
};

class Transition {
 public:
  virtual ~Transition() = default;
  // Draws the next frame onto `screen` (the size of both pictures);
  // nothing once the transition is over.
  virtual std::optional<Frame> Next(const Picture& screen) = 0;
};

// The effect `effect` (0-21) from `old_picture` to `new_picture`, both
// screen-sized and both kept alive by the caller for the transition's life.
std::unique_ptr<Transition> MakeTransition(int effect, int direction, const Picture& old_picture,
                                           const Picture& new_picture, const Random& random);

// The effect for the option `option`: itself for 0-21; for kRandomEffect a
// random one that differs from `previous` (the last one run, -1 for none).
int ChooseEffect(int option, int previous, const Random& random);

// Runs the transition: each frame is handed to `present` (its changed
// part) and followed by its pause on the platform's clock.
void Play(Transition& transition, const Picture& screen,
          const std::function<void(const platform::RECT&)>& present);

}  // namespace gallery::transitions
