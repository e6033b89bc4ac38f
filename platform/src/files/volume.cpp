#include "files/volume.h"

#include <algorithm>

namespace platform::files_internal {

Volume::Volume(std::filesystem::path host_root, std::filesystem::path metadata_file)
    : host_root_(std::move(host_root)), metadata_(std::move(metadata_file)) {}

std::uint64_t Volume::UsedBytes() {
  if (!used_) used_ = SumFileSizes(host_root_);
  return *used_;
}

void Volume::AddUsed(std::int64_t delta) {
  if (!used_) return;  // Counted from scratch when next needed.
  if (delta < 0 && static_cast<std::uint64_t>(-delta) > *used_) {
    *used_ = 0;
  } else {
    *used_ += delta;
  }
}

std::uint64_t Volume::RoomLeft() {
  // A full host disk shows up as a failing host write instead.
  if (size_cap_ == 0) return kUnlimited;
  const std::uint64_t used = UsedBytes();
  return used < size_cap_ ? size_cap_ - used : 0;
}

bool Volume::QuerySpace(HostSpace* space) {
  if (!QueryHostSpace(host_root_, space)) return false;
  if (size_cap_ != 0) {
    const std::uint64_t used = UsedBytes();
    const std::uint64_t left = used < size_cap_ ? size_cap_ - used : 0;
    space->total = size_cap_;
    space->free_to_caller = std::min(space->free_to_caller, left);
    space->total_free = std::min(space->total_free, left);
  }
  return true;
}

}  // namespace platform::files_internal
