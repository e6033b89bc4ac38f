#include "scratch_handheld.h"

#include <system_error>

#include "platform/files.h"
#include "platform/testing/temp_handheld.h"

namespace orsa_avi {

namespace fs = std::filesystem;

ScratchHandheld::ScratchHandheld() : root_(platform::testing::MakeTemporaryFolder("orsa-avi")) {
  platform::HandheldConfig config;
  config.root = root_;
  // Time moves on when every thread waits: the writer's start delay and
  // polls cost no real time. File times start from the host's clock.
  config.virtual_clock = true;
  handheld_ = std::make_unique<platform::Handheld>(config);
}

ScratchHandheld::~ScratchHandheld() {
  handheld_.reset();
  std::error_code ignored;
  fs::remove_all(root_, ignored);
}

std::string ScratchHandheld::Import(const fs::path& host_file, const std::string& name) {
  std::error_code error;
  const fs::path target = fs::absolute(host_file, error);
  if (error || !fs::is_regular_file(target, error)) return {};
  fs::create_directories(handheld_->FilesRoot(), error);
  const fs::path link = handheld_->FilesRoot() / name;
  fs::create_symlink(target, link, error);
  if (error) {
    error.clear();
    fs::copy_file(target, link, error);
    if (error) return {};
  }
  return "\\" + name;
}

bool ScratchHandheld::Export(const std::string& handheld_path, const fs::path& host_file) {
  const auto source = handheld_->files().HostPath(handheld_path);
  if (!source) return false;
  std::error_code error;
  fs::rename(*source, host_file, error);
  if (!error) return true;
  error.clear();
  fs::copy_file(*source, host_file, fs::copy_options::overwrite_existing, error);
  return !error;
}

}  // namespace orsa_avi
