// What the tool's commands share: exit codes, host file reading and
// progress lines.
#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace orsa_avi {

inline constexpr int kExitOk = 0;
inline constexpr int kExitNothingUsable = 1;
inline constexpr int kExitUsage = 2;
inline constexpr int kExitFile = 3;

std::optional<std::vector<std::uint8_t>> ReadHostFile(const std::filesystem::path& path);
bool WriteHostFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes);

// Prints "orsa-avi: <what> n of total" to stderr every `step` items of a
// run of more than `step` items, and at its end.
class Progress {
 public:
  Progress(std::string what, std::size_t total, std::size_t step = 100)
      : what_(std::move(what)), total_(total), step_(step) {}
  void Update(std::size_t done) const {
    if (total_ <= step_ || (done % step_ != 0 && done != total_)) return;
    std::fprintf(stderr, "orsa-avi: %s %zu of %zu\n", what_.c_str(), done, total_);
  }

 private:
  std::string what_;
  std::size_t total_;
  std::size_t step_;
};

}  // namespace orsa_avi
