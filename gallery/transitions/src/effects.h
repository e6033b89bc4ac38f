// The effects' families and what they share: the screen size, the two
// pictures, and for most effects a fixed number of steps each followed by
// the same pause.
#pragma once

#include <memory>

#include "gallery/transitions/transition.h"

namespace gallery::transitions {

// Pauses between frames, in milliseconds.
inline constexpr platform::DWORD kStepPause = 20;
inline constexpr platform::DWORD kFadePause = 1;
inline constexpr platform::DWORD kUncoverPause = 18;
inline constexpr platform::DWORD kStripPause = 5;
inline constexpr platform::DWORD kStaggerPause = 10;
inline constexpr platform::DWORD kTonedHoldPause = 200;
// Steps of the effects that count k = 0 ... 10.
inline constexpr int kTenthSteps = 11;

class SteppedTransition : public Transition {
 public:
  SteppedTransition(const Picture& old_picture, const Picture& new_picture, int steps,
                    platform::DWORD pause)
      : old_(old_picture), new_(new_picture), steps_(steps), pause_(pause) {}

  std::optional<Frame> Next(const Picture& screen) final {
    if (step_ >= steps_) return std::nullopt;
    return Frame{DrawStep(step_++, screen), pause_};
  }

 protected:
  // Draws step `step` (0 first) and returns the part it changed.
  virtual platform::RECT DrawStep(int step, const Picture& screen) = 0;

  int width() const { return new_.width; }
  int height() const { return new_.height; }

  Picture old_;
  Picture new_;

 private:
  int steps_;
  platform::DWORD pause_;
  int step_ = 0;
};

// Where a picture enters from: the edges of directions 0-3 and the corners
// of variants 4-7.
struct Edge {
  bool top = false;
  bool bottom = false;
  bool left = false;
  bool right = false;
  static Edge Of(int variant);
};

// The byte blend of the fades: old + (step * (target - old)) >> 4 on every
// colour byte, step 0 ... 16.
void Blend(const Picture& screen, const Picture& from, const Picture& to, int step);
inline constexpr int kBlendSteps = 17;

std::unique_ptr<Transition> MakeCrossFade(const Picture& old_picture, const Picture& new_picture);
std::unique_ptr<Transition> MakeTonedFade(int effect, int variant, const Picture& old_picture,
                                          const Picture& new_picture);
std::unique_ptr<Transition> MakeWipe(int variant, const Picture& old_picture,
                                     const Picture& new_picture);
std::unique_ptr<Transition> MakeSlideIn(int variant, const Picture& old_picture,
                                        const Picture& new_picture);
std::unique_ptr<Transition> MakeUncover(int variant, const Picture& old_picture,
                                        const Picture& new_picture);
std::unique_ptr<Transition> MakePush(int variant, const Picture& old_picture,
                                     const Picture& new_picture);
std::unique_ptr<Transition> MakeBlinds(bool columns, int direction, const Picture& old_picture,
                                       const Picture& new_picture);
std::unique_ptr<Transition> MakeStaggered(bool columns, const Picture& old_picture,
                                          const Picture& new_picture);
std::unique_ptr<Transition> MakeClosingFrame(bool squeeze_old, const Picture& old_picture,
                                             const Picture& new_picture);
std::unique_ptr<Transition> MakeGrowingCentre(const Picture& old_picture,
                                              const Picture& new_picture);
std::unique_ptr<Transition> MakeDissolve(const Picture& old_picture, const Picture& new_picture);
std::unique_ptr<Transition> MakeZoom(bool zoom_out, const Picture& old_picture,
                                     const Picture& new_picture, const Random& random);
std::unique_ptr<Transition> MakeRandomStrips(bool columns, bool pushing, int direction,
                                             const Picture& old_picture, const Picture& new_picture,
                                             const Random& random);

}  // namespace gallery::transitions

namespace gallery::transitions {

// Strip effects come in a column and a row form: `across` runs over the
// strips (x for columns), `along` inside one strip (y for columns).
inline void CopyStripBlock(bool columns, const Picture& dest, int across, int along,
                           const Picture& source, int source_along, int across_size,
                           int along_size) {
  if (columns)
    CopyBlock(dest, across, along, source, across, source_along, across_size, along_size);
  else
    CopyBlock(dest, along, across, source, source_along, across, along_size, across_size);
}
inline int AcrossExtent(bool columns, const Picture& picture) {
  return columns ? picture.width : picture.height;
}
inline int AlongExtent(bool columns, const Picture& picture) {
  return columns ? picture.height : picture.width;
}

}  // namespace gallery::transitions
