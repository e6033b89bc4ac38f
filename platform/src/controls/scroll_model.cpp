#include "controls/scroll_model.h"

#include <algorithm>
#include <cstdint>

namespace platform::controls {

int ScrollModel::MaxPosition() const {
  const std::int64_t span = std::int64_t{maximum_} - minimum_ + 1;
  const std::int64_t page = std::min<std::int64_t>(page_, span);
  const std::int64_t last = std::int64_t{maximum_} - std::max<std::int64_t>(page - 1, 0);
  return static_cast<int>(std::max<std::int64_t>(last, minimum_));
}

int ScrollModel::Clamp(int position) const { return std::clamp(position, minimum_, MaxPosition()); }

int ScrollModel::Set(const SCROLLINFO& info) {
  if (info.fMask & SIF_RANGE) {
    minimum_ = info.nMin;
    maximum_ = std::max(info.nMin, info.nMax);
  }
  if (info.fMask & SIF_PAGE) page_ = info.nPage;
  if (info.fMask & SIF_POS) position_ = info.nPos;
  position_ = Clamp(position_);
  track_position_ = Clamp(track_position_);
  return position_;
}

void ScrollModel::Get(SCROLLINFO& info) const {
  if (info.fMask & SIF_RANGE) {
    info.nMin = minimum_;
    info.nMax = maximum_;
  }
  if (info.fMask & SIF_PAGE) info.nPage = page_;
  if (info.fMask & SIF_POS) info.nPos = position_;
  if (info.fMask & SIF_TRACKPOS) info.nTrackPos = track_position_;
}

}  // namespace platform::controls
