// A handheld in a fresh temporary folder, removed again at the end: the
// fixture for tests of anything that runs on the platform.
#pragma once

#include <stdlib.h>

#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <system_error>

#include "platform/handheld.h"

namespace platform::testing {

// 1 June 2003, 12:00 UTC, in 100 ns ticks since 1601: a fixed boot time
// keeps file times and dates in tests reproducible.
inline constexpr std::uint64_t kJune2003Noon = 126989424000000000ull;

inline std::filesystem::path MakeTemporaryFolder(const std::string& prefix) {
  std::string pattern = (std::filesystem::temp_directory_path() / (prefix + "-XXXXXX")).string();
  if (!mkdtemp(pattern.data())) throw std::runtime_error("no temporary folder");
  return pattern;
}

class TempHandheld {
 public:
  explicit TempHandheld(HandheldConfig config = {}) {
    if (config.root.empty()) config.root = MakeTemporaryFolder("orsa-handheld");
    if (!config.boot_time) config.boot_time = FILETIME::FromTicks(kJune2003Noon);
    root_ = config.root;
    handheld_ = std::make_unique<Handheld>(std::move(config));
  }
  ~TempHandheld() {
    handheld_.reset();
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
  }
  TempHandheld(const TempHandheld&) = delete;
  TempHandheld& operator=(const TempHandheld&) = delete;

  Handheld& handheld() { return *handheld_; }
  const std::filesystem::path& root() const { return root_; }
  // Ends the handheld but keeps its folder, so a second one can start over
  // the same root (a later run of the same device).
  HandheldConfig Restart() {
    HandheldConfig config = handheld_->config();
    handheld_.reset();
    handheld_ = std::make_unique<Handheld>(config);
    return config;
  }

 private:
  std::filesystem::path root_;
  std::unique_ptr<Handheld> handheld_;
};

}  // namespace platform::testing
