// Random columns and rows: each 10-pixel strip of the new picture slides
// in at its own speed, over the old picture or pushing its strip out.
#include <algorithm>
#include <vector>

#include "effects.h"

namespace gallery::transitions {
namespace {

inline constexpr int kStrip = 10;
inline constexpr int kSpeedShare = 50;
inline constexpr int kSpeedSpread = 6;  // 0-5 pixels more per step

class RandomStrips final : public Transition {
 public:
  RandomStrips(bool columns, bool pushing, bool from_start, const Picture& old_picture,
               const Picture& new_picture, const Random& random)
      : old_(old_picture),
        new_(new_picture),
        columns_(columns),
        pushing_(pushing),
        from_start_(from_start) {
    const int strips = (AcrossExtent(columns, new_picture) + kStrip - 1) / kStrip;
    const int base = std::max(1, AlongExtent(columns, new_picture) / kSpeedShare);
    for (int strip = 0; strip < strips; ++strip) speeds_.push_back(base + random(kSpeedSpread));
    travelled_.assign(speeds_.size(), 0);
  }

  std::optional<Frame> Next(const Picture& screen) override {
    const int along = AlongExtent(columns_, new_);
    bool moved = false;
    for (std::size_t strip = 0; strip < speeds_.size(); ++strip) {
      if (travelled_[strip] >= along) continue;
      travelled_[strip] = std::min(along, travelled_[strip] + speeds_[strip]);
      Draw(screen, static_cast<int>(strip) * kStrip, travelled_[strip]);
      moved = true;
    }
    if (!moved) return std::nullopt;
    return Frame{screen.Bounds(), kStripPause};
  }

 private:
  // The strip at `across` after it has come in by `travel`: entering at
  // the near end (top or left) the new strip's far end leads.
  void Draw(const Picture& screen, int across, int travel) {
    const int along = AlongExtent(columns_, new_);
    if (from_start_) {
      CopyStripBlock(columns_, screen, across, 0, new_, along - travel, kStrip, travel);
      if (pushing_)
        CopyStripBlock(columns_, screen, across, travel, old_, 0, kStrip, along - travel);
    } else {
      CopyStripBlock(columns_, screen, across, along - travel, new_, 0, kStrip, travel);
      if (pushing_)
        CopyStripBlock(columns_, screen, across, 0, old_, travel, kStrip, along - travel);
    }
  }

  Picture old_;
  Picture new_;
  bool columns_;
  bool pushing_;
  bool from_start_;
  std::vector<int> speeds_;
  std::vector<int> travelled_;
};

}  // namespace

std::unique_ptr<Transition> MakeRandomStrips(bool columns, bool pushing, int direction,
                                             const Picture& old_picture, const Picture& new_picture,
                                             const Random& random) {
  // Columns come down from the top and rows in from the right for
  // directions 1 and 3; otherwise up from the bottom and in from the left.
  const bool down_or_right = direction == 1 || direction == 3;
  const bool from_start = columns ? down_or_right : !down_or_right;
  return std::make_unique<RandomStrips>(columns, pushing, from_start, old_picture, new_picture,
                                        random);
}

}  // namespace gallery::transitions
