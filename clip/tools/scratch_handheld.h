// A handheld in a temporary folder for the tool's run: the reader and the
// writer work on handheld files, so host files are brought in (as links)
// and clips are taken out of it.
#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "platform/handheld.h"

namespace orsa_avi {

class ScratchHandheld {
 public:
  ScratchHandheld();
  ~ScratchHandheld();
  ScratchHandheld(const ScratchHandheld&) = delete;
  ScratchHandheld& operator=(const ScratchHandheld&) = delete;

  // Makes a host file visible on the handheld; its handheld path, or empty.
  std::string Import(const std::filesystem::path& host_file, const std::string& name);
  // Moves a handheld file out to a host path.
  bool Export(const std::string& handheld_path, const std::filesystem::path& host_file);

 private:
  std::filesystem::path root_;
  std::unique_ptr<platform::Handheld> handheld_;
};

}  // namespace orsa_avi
