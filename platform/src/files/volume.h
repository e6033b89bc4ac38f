// One volume of the handheld: the main store or the storage card. A volume
// is a host folder with an optional simulated size; its used bytes are the
// sizes of its files, counted once and then kept up to date by the changes
// the file layer makes.
#pragma once

#include <cstdint>
#include <filesystem>
#include <limits>
#include <optional>
#include <string>

#include "files/file_metadata.h"
#include "files/host_files.h"

namespace platform::files_internal {

class Volume {
 public:
  static constexpr std::uint64_t kUnlimited = std::numeric_limits<std::uint64_t>::max();

  Volume(std::filesystem::path host_root, std::filesystem::path metadata_file);

  const std::filesystem::path& host_root() const { return host_root_; }
  FileMetadata& metadata() { return metadata_; }

  // 0 leaves only the host's free space.
  void set_size_cap(std::uint64_t bytes) { size_cap_ = bytes; }
  std::uint64_t size_cap() const { return size_cap_; }

  std::uint64_t UsedBytes();
  void AddUsed(std::int64_t delta);
  // Counts again at the next need (after changes from outside the layer).
  void ForgetUsed() { used_.reset(); }

  // How many bytes the files may still grow by before the simulated size
  // is reached.
  std::uint64_t RoomLeft();
  bool QuerySpace(HostSpace* space);

 private:
  const std::filesystem::path host_root_;
  FileMetadata metadata_;
  std::uint64_t size_cap_ = 0;
  std::optional<std::uint64_t> used_;
};

}  // namespace platform::files_internal
