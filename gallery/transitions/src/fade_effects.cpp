// The cross-fade and the toned fades: a per-byte blend in 17 steps.
#include <vector>

#include "effects.h"
#include "gallery/transitions/tone_table.h"

namespace gallery::transitions {

void Blend(const Picture& screen, const Picture& from, const Picture& to, int step) {
  const int bytes = screen.width * 3;
  for (int y = 0; y < screen.height; ++y) {
    std::uint8_t* out = screen.Row(y);
    const std::uint8_t* a = from.Row(y);
    const std::uint8_t* b = to.Row(y);
    for (int i = 0; i < bytes; ++i)
      out[i] = static_cast<std::uint8_t>(a[i] + ((step * (b[i] - a[i])) >> 4));
  }
}

namespace {

class CrossFade final : public SteppedTransition {
 public:
  CrossFade(const Picture& old_picture, const Picture& new_picture)
      : SteppedTransition(old_picture, new_picture, kBlendSteps, kFadePause) {}

 private:
  platform::RECT DrawStep(int step, const Picture& screen) override {
    Blend(screen, old_, new_, step);
    return screen.Bounds();
  }
};

// The old picture fades into a toned copy of itself, stays a moment, and
// the new picture slides in over the toned copy.
class TonedFade final : public Transition {
 public:
  TonedFade(int effect, int variant, const Picture& old_picture, const Picture& new_picture)
      : old_(old_picture) {
    const std::ptrdiff_t stride = (old_picture.width * 3 + 3) & ~3;
    pixels_.resize(static_cast<std::size_t>(stride) * old_picture.height);
    toned_ = {pixels_.data(), old_picture.width, old_picture.height, stride};
    Tone(effect);
    slide_in_ = MakeSlideIn(variant, toned_, new_picture);
  }

  std::optional<Frame> Next(const Picture& screen) override {
    if (step_ < kBlendSteps) {
      Blend(screen, old_, toned_, step_++);
      return Frame{screen.Bounds(), kFadePause};
    }
    if (step_ == kBlendSteps) {
      ++step_;
      return Frame{{}, kTonedHoldPause};
    }
    return slide_in_->Next(screen);
  }

 private:
  void Tone(int effect) {
    const auto& table = ToneTable();
    for (int y = 0; y < old_.height; ++y) {
      const std::uint8_t* in = old_.Row(y);
      std::uint8_t* out = toned_.Row(y);
      for (int x = 0; x < old_.width; ++x, in += 3, out += 3) {
        const int luminance = Luminance(in[2], in[1], in[0]);
        const ToneColour tone = table[luminance];
        if (effect == 18) {
          out[0] = tone.blue, out[1] = tone.green, out[2] = tone.red;
        } else if (effect == 19) {  // the table read with red and blue exchanged
          out[0] = tone.red, out[1] = tone.green, out[2] = tone.blue;
        } else {
          out[0] = out[1] = out[2] = static_cast<std::uint8_t>(luminance);
        }
      }
    }
  }

  Picture old_;
  std::vector<std::uint8_t> pixels_;
  Picture toned_;
  std::unique_ptr<Transition> slide_in_;
  int step_ = 0;
};

}  // namespace

std::unique_ptr<Transition> MakeCrossFade(const Picture& old_picture, const Picture& new_picture) {
  return std::make_unique<CrossFade>(old_picture, new_picture);
}

std::unique_ptr<Transition> MakeTonedFade(int effect, int variant, const Picture& old_picture,
                                          const Picture& new_picture) {
  return std::make_unique<TonedFade>(effect, variant, old_picture, new_picture);
}

}  // namespace gallery::transitions
